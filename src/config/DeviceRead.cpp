// Reading the configuration from the device: "AT+COPS?" starts a chain (operator, SIM size,
// all entries) that the dispatcher continues; each entry line lands here and is routed by
// its name into an entry field, a parameter string, the status bar or the phone book.
#include "app/TForm1.h"
#include "config/SimEntries.h"
#include "connection/Commands.h"
#include "ui/Text.h"

namespace {

constexpr int kVersionPanel = 4;

}  // namespace

void TForm1::LoadKELClick() {
  Send(std::string(cmd::kQueryOperator) + cmd::kCRLF);
  Prubeh.SetPosition(0);
  SaveKEL.SetEnabled(true);
  PhoneBook1.Clear();
  V.firstPhoneBookEntry = true;
}

// +CPBR: 3,"0987654321",129,"ADMIN3": the number inside the first pair of double quotes, the
// name inside the pair after the next comma. The slot index is not used.
void TForm1::EntryHandler() {
  std::string& line = V.receiveLineBuffer;
  ui::CutThrough(line, ":");
  ui::CutThrough(line, "\"");
  const std::string number = ui::TextBefore(line, "\"");
  ui::CutThrough(line, ",");
  ui::CutThrough(line, "\"");
  const std::string name = ui::TextBefore(line, "\"");

  for (const config::SimField& entry : config::SimFields(*this)) {
    if (entry.name != name) continue;
    if (entry.field) {
      // The field's rule cleans the number (and hands a button number to its twin).
      entry.field->SetText(number);
    } else {
      *entry.parameter = number;
      ShowParameters();
    }
    return;
  }
  if (name == config::kVersionEntry) {
    StatusBar1.SetPanelText(kVersionPanel, " KEL Ver: " + number);
    return;
  }
  // Any other name is the user's: the first one after a Load replaces the phone book.
  if (V.firstPhoneBookEntry) {
    PhoneBook1.SetStrings({name + "=" + number});
    V.firstPhoneBookEntry = false;
  } else {
    PhoneBook1.InsertRow(name, number, true);
  }
}
