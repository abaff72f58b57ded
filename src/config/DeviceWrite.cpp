// Writing the configuration to the device: the fixed entries, then the phone-book rows, slot
// by slot from slot 1, each command sent when the device has answered the previous one with
// "OK"; the slots left over up to the SIM capacity are then deleted. While it runs the device
// and file buttons and the editing pages are locked.
//
// The write never leaves the user in the dark and never keeps the window locked: it refuses
// to start when it cannot write a sound configuration (SIM size unknown, an entry that would
// break the unquoted write command), it ends with a message when the device refuses a step or
// stops answering, and it names the entries a too small SIM could not take.
#include <optional>

#include "app/TForm1.h"
#include "config/SimEntries.h"
#include "connection/Commands.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace {

// The device is given this long before each command.
constexpr int kWriteStepPauseMs = 200;
// Steps 1 to 26 write the fixed entries; the phone-book rows follow.
constexpr int kFixedEntries = 26;
// Entries named one by one in a message; the rest are counted.
constexpr std::size_t kNamedInMessage = 10;

// Monitor lines of the write.
constexpr const char* kSlotLine = "SIM";            // + slot
constexpr const char* kSkippedLine = "---";
constexpr const char* kDeleteLine = "delete SIM";   // + slot

struct Entry {
  std::string name;
  std::string number;
  bool Written() const { return !name.empty() && !number.empty(); }
};

// The grid lines of the phone book the write goes through: its rows or, when it has none,
// the one blank line the grid shows.
int PhoneBookLines(const TForm1& f) { return std::max(f.PhoneBook1.RowCount(), 1); }

// The entry of write step `step` (from 1); none once the table and the phone book are
// exhausted (the step then deletes a slot).
std::optional<Entry> EntryAt(TForm1& f, int step) {
  if (step >= 1 && step <= kFixedEntries) {
    const config::SimField field = config::SimFields(f)[static_cast<std::size_t>(step - 1)];
    return Entry{field.name, field.field ? field.field->Text() : *field.parameter};
  }
  const int line = step - kFixedEntries;
  if (line < 1 || line > PhoneBookLines(f)) return std::nullopt;
  if (f.PhoneBook1.RowCount() == 0) return Entry{};
  return Entry{f.PhoneBook1.Keys(line), f.PhoneBook1.Values(line)};
}

// "ADMIN3" for a fixed entry, "phone-book row 2 (Novak Jan)" for a row.
std::string EntryLabel(int step, const Entry& entry) {
  if (step <= kFixedEntries) return entry.name;
  return "phone-book row " + ui::IntToStr(step - kFixedEntries) + " (" + entry.name + ")";
}

// A comma or a double quote would shift the fields of the unquoted write command.
bool BreaksTheCommand(const std::string& text) {
  return text.find_first_of(",\"") != std::string::npos;
}

// "A, B and 3 more".
std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (std::size_t i = 0; i < names.size() && i < kNamedInMessage; ++i) {
    if (i > 0) list += ", ";
    list += names[i];
  }
  if (names.size() > kNamedInMessage) list += " and " + ui::IntToStr(static_cast<long long>(names.size() - kNamedInMessage)) + " more";
  return list;
}

// What the command of `step` did; `slot` is the slot it wrote or deleted.
std::string StepText(TForm1& f, int step, int slot) {
  if (step == 0) return "the first command (AT)";
  const std::optional<Entry> entry = EntryAt(f, step);
  if (!entry) return "deleting SIM slot " + ui::IntToStr(slot);
  if (!entry->Written()) return "the empty entry " + EntryLabel(step, *entry) + " (AT)";
  return "SIM slot " + ui::IntToStr(slot) + " with " + EntryLabel(step, *entry) + " = " + entry->number;
}

// What the write has done when it stops at `step`, whose command addressed `slot` (or would
// have): the slots before it are written.
std::string WrittenSoFar(TForm1& f, int step, int slot) {
  const std::optional<Entry> entry = EntryAt(f, step);
  if (step > 0 && !entry) {
    return "Every entry was written; SIM slots " + ui::IntToStr(slot) + " to " +
           ui::IntToStr(f.V.simCapacity) + " may still hold old entries.";
  }
  // The first "AT" and an empty entry's "AT" address no slot: every slot before the next
  // one is written.
  const bool addressedSlot = entry && entry->Written();
  const int written = addressedSlot ? slot - 1 : f.V.nextSimSlot - 1;
  if (written <= 0) return "No SIM slot was written.";
  const std::string which =
      written == 1 ? "SIM slot 1 was" : "SIM slots 1 to " + ui::IntToStr(written) + " were";
  return which + " written; the configuration on the device is incomplete.";
}

// "... stopped at SIM slot 5 with BBUTTON1 = 123: <why>. SIM slots 1 to 4 were written; ..."
std::string StoppedText(TForm1& f, int step, int slot, const std::string& why) {
  return "Writing to the device stopped at " + StepText(f, step, slot) + ": " + why + ". " +
         WrittenSoFar(f, step, slot);
}

// Releases the window and, with a message, tells the user (error box and monitor).
void EndWrite(TForm1& f, const std::string& message = {}) {
  f.WriteTimeout.SetEnabled(false);
  f.V.writeInProgress = false;
  f.Prubeh.SetVisible(false);
  f.UnlockControls();
  if (message.empty()) return;
  f.Monitor.Add(message);
  ui::ShowError(message);
}

// Refuses to start a write: nothing was sent or locked.
void RefuseWrite(TForm1& f, const std::string& message) {
  f.Monitor.Add(message);
  ui::ShowError(message);
}

// Sends a command of the write and starts waiting for its answer.
void SendWriteCommand(TForm1& f, const std::string& command) {
  f.Send(command + cmd::kCRLF);
  f.WriteTimeout.SetEnabled(true);
}

// The entries from `step` on that hold something to write: what a full SIM left out.
std::vector<std::string> EntriesLeftOver(TForm1& f, int step) {
  std::vector<std::string> names;
  for (std::optional<Entry> entry; (entry = EntryAt(f, step)); ++step) {
    if (entry->Written()) names.push_back(entry->name);
  }
  return names;
}

// The device and file buttons, the signal query and the editing pages (as wholes); the
// monitor page stays usable.
std::vector<ui::TControl*> LockedDuringWrite(TForm1& f) {
  return {&f.SaveKEL, &f.LoadKEL, &f.RunKEL, &f.StopKEL, &f.Save, &f.Load, &f.signal,
          &f.Buttons, &f.PhoneBook, &f.seting, &f.service};
}

}  // namespace

void TForm1::LockControls() {
  for (ui::TControl* c : LockedDuringWrite(*this)) c->SetEnabled(false);
}

void TForm1::UnlockControls() {
  for (ui::TControl* c : LockedDuringWrite(*this)) c->SetEnabled(true);
}

void TForm1::SaveKELClick() {
  if (V.simCapacity <= 0) {
    RefuseWrite(*this,
                "The size of the device's SIM phone book is not known yet, so nothing was written. "
                "Load the configuration from the device first (Load in the KEL group).");
    return;
  }
  CollectParameters();
  std::vector<std::string> faulty;
  for (int step = 1; const std::optional<Entry> entry = EntryAt(*this, step); ++step) {
    if (entry->Written() && (BreaksTheCommand(entry->name) || BreaksTheCommand(entry->number)))
      faulty.push_back(EntryLabel(step, *entry));
  }
  if (!faulty.empty()) {
    RefuseWrite(*this, "Nothing was written: a comma or a double quote would corrupt the SIM "
                       "entry. Remove them from: " + NameList(faulty) + ".");
    return;
  }

  LockControls();
  Prubeh.SetMax(V.simCapacity);
  Prubeh.SetPosition(0);
  Prubeh.SetVisible(true);
  V.writeInProgress = true;
  V.writeStep = 0;
  V.nextSimSlot = 1;
  try {
    SendWriteCommand(*this, cmd::kAttention);
  } catch (const std::exception& e) {
    EndWrite(*this, std::string("Writing to the device could not start: ") + e.what());
  }
}

void TForm1::WriteOkStep() {
  WriteTimeout.SetEnabled(false);
  ++V.writeStep;
  Prubeh.SetPosition(V.writeStep);
  if (V.nextSimSlot > V.simCapacity) {
    const std::vector<std::string> left = EntriesLeftOver(*this, V.writeStep);
    if (left.empty()) {
      EndWrite(*this);
    } else {
      EndWrite(*this, "The SIM of the device has only " + ui::IntToStr(V.simCapacity) +
                          " slots: " + ui::IntToStr(static_cast<long long>(left.size())) +
                          (left.size() == 1 ? " entry was" : " entries were") +
                          " not written: " + NameList(left) + ".");
    }
    return;
  }
  ui::Pause(kWriteStepPauseMs);
  try {
    if (const std::optional<Entry> entry = EntryAt(*this, V.writeStep)) {
      WriteSimEntry(entry->name, entry->number);
    } else {
      const std::string slot = ui::IntToStr(V.nextSimSlot);
      Monitor.Add(kDeleteLine + slot);
      SendWriteCommand(*this, cmd::kWriteEntry + slot);
      ++V.nextSimSlot;
    }
  } catch (const std::exception& e) {
    // The command was not sent, so the slot was not raised.
    EndWrite(*this, StoppedText(*this, V.writeStep, V.nextSimSlot, e.what()));
  }
}

void TForm1::WriteSimEntry(const std::string& name, const std::string& number) {
  if (name.empty() || number.empty()) {
    SendWriteCommand(*this, cmd::kAttention);
    Monitor.Add(kSkippedLine);
    return;
  }
  const std::string slot = ui::IntToStr(V.nextSimSlot);
  Monitor.Add(kSlotLine + slot);
  SendWriteCommand(*this, cmd::kWriteEntry + slot + "," + number + cmd::kWriteEntryGap + name);
  ++V.nextSimSlot;
}

// The last command addressed the slot before the next one.
void TForm1::WriteErrorStep() {
  if (!V.writeInProgress) return;
  EndWrite(*this, StoppedText(*this, V.writeStep, V.nextSimSlot - 1,
                              "the device answered \"" + V.receiveLineBuffer + "\"") +
                      " Correct the entry and write again.");
}

void TForm1::WriteTimeoutTimer() {
  WriteTimeout.SetEnabled(false);
  if (!V.writeInProgress) return;
  const std::string seconds = ui::IntToStr(WriteTimeout.Interval() / 1000);
  EndWrite(*this, StoppedText(*this, V.writeStep, V.nextSimSlot - 1,
                              "the device did not answer within " + seconds + " seconds") +
                      " Check the connection and write again.");
}
