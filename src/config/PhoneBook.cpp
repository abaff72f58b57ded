// The phone-book buttons: insert a line, delete a line, find a name.
#include "app/TForm1.h"

void TForm1::LineInClick() { PhoneBook1.InsertEmptyRow(); }

void TForm1::LineDelClick() { PhoneBook1.DeleteCurrentRow(); }

void TForm1::FindClick() {
  const int row = PhoneBook1.FindRow(FindN.Text());
  if (row == 0) return;
  PhoneBook1.SetRow(row);
  PhoneBook1.SetFocus();
}
