// The configuration file on the PC (*.kel): the 26 fixed lines (administrator numbers, button
// numbers, alarm texts, parameter strings) followed by the phone book, one "key=value" per line.
#include "app/TForm1.h"
#include "config/SimEntries.h"
#include "files/ConfigFile.h"
#include "ui/FileIO.h"

namespace files {

std::vector<FixedLine> FixedLines(TForm1& f) {
  // The same entries, in the same order, as the device keeps them; only the parameter strings
  // have keys of their own in the file ("PARAMKEL" for the entry "PARKEL").
  std::vector<FixedLine> lines;
  for (const config::SimField& entry : config::SimFields(f)) {
    const std::string key = entry.parameter ? "PARAM" + entry.name.substr(3) : entry.name;
    lines.push_back({key, entry.field, entry.parameter});
  }
  return lines;
}

}  // namespace files

void TForm1::SaveClick() {
  SaveDialog1.Filter = files::kKelFilter;
  if (!SaveDialog1.Execute()) return;
  // The file carries the settings as the window shows them.
  CollectParameters();
  std::string bytes;
  for (const auto& line : files::FixedLines(*this)) {
    bytes += line.key + "=" + (line.field ? line.field->Text() : *line.parameter);
    bytes += "\r\n";
  }
  bytes += PhoneBook1.Text();
  // A name typed without extension is used as typed; an existing file is replaced.
  ui::WriteFileAtomic(SaveDialog1.FileName, bytes);
}

void TForm1::LoadClick() {
  OpenDialog1.Filter = files::kKelFilter;
  // The first row is made current before the dialog, and stays so when the user cancels.
  if (PhoneBook1.RowCount() > 0) PhoneBook1.SetRow(1);
  if (!OpenDialog1.Execute()) return;
  const std::string bytes = ui::ReadFileBytes(OpenDialog1.FileName);

  // Every line becomes a row; the first row of each fixed key is taken out of the phone book
  // into its field (through the field's change rule) or parameter string.
  PhoneBook1.SetText(bytes);
  for (const auto& line : files::FixedLines(*this)) {
    const int row = PhoneBook1.FindRow(line.key);
    if (row == 0) continue;
    const std::string value = PhoneBook1.Values(row);
    if (line.field)
      line.field->SetText(value);
    else
      *line.parameter = value;
    PhoneBook1.DeleteRow(row);
  }
  // The loaded settings are shown, so the next device write and the next save carry them.
  ShowParameters();
}
