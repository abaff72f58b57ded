// The response dispatcher: every complete line received from the device passes through here.
// The line decides which running chain goes on (upload, stop, write, read) or which status
// indicator is updated. The tests are tried in a fixed order and only the first that matches
// acts; all comparisons are case-sensitive. The branches cut V.receiveLineBuffer in place
// while they parse it; the receive loop clears it afterwards.
#include <QColor>

#include "app/TForm1.h"
#include "connection/Commands.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace {

// Status bar panels.
constexpr int kOperatorPanel = 0;
constexpr int kVoltagePanel = 1;
constexpr int kSimPanel = 2;

// Operator texts that the network reports for the operator now called Orange.
constexpr const char* kOldOperatorNames[] = {"AMENA", "21403"};
constexpr const char* kOperatorRenamed = "ORANGE";
constexpr std::size_t kOperatorTextLength = 20;

// Pauses that give the device time before the next request.
constexpr int kRegistrationPauseMs = 200;
constexpr int kSimSizeRequestPauseMs = 200;
constexpr int kEntriesRequestPauseMs = 100;
// Up to this many slots the entries are not requested.
constexpr int kSmallestSimRead = 10;

const QColor kSignalWeak(255, 0, 0);     // red
const QColor kSignalFair(0, 255, 255);   // aqua
const QColor kSignalGood(0, 255, 0);     // lime

QColor SignalColour(int value) {
  if (value >= 15 && value <= 21) return kSignalFair;
  if (value >= 22 && value <= 31) return kSignalGood;
  return kSignalWeak;
}

// "#CBC: 0,385": the value behind the first comma, in tens of millivolts.
void ShowBoardVoltage(TForm1& f) {
  std::string& line = f.V.receiveLineBuffer;
  // The device has answered a run: the waiting indicator stops.
  f.Cekani.SetEnabled(false);
  f.Prubeh.SetVisible(false);
  ui::CutThrough(line, ",");
  f.Monitor.Add(line);
  f.StatusBar1.SetPanelText(kVoltagePanel, " board voltage: " + line + "0 mV");
  f.BVoltage.SetPosition(ui::StrToInt(line));
  f.Voltage.SetCaption(line + "0 mV");
}

// "+CSQ: 17,0": the value before the comma, 0 to 31 (99 = unknown).
void ShowSignal(TForm1& f) {
  std::string& line = f.V.receiveLineBuffer;
  ui::CutThrough(line, ":");
  const int value = ui::StrToInt(ui::Trim(ui::TextBefore(line, ",")));
  f.Smeter.SetForeColor(SignalColour(value));
  f.Smeter.SetProgress(value);
}

// "+CPBR: (1-250),40,16": the SIM capacity before ")"; then all entries are requested.
void ShowSimSize(TForm1& f) {
  std::string& line = f.V.receiveLineBuffer;
  ui::CutThrough(line, "-");
  f.V.simCapacity = ui::StrToInt(ui::Trim(ui::TextBefore(line, ")")));
  const std::string capacity = ui::IntToStr(f.V.simCapacity);
  f.StatusBar1.SetPanelText(kSimPanel, " SIM: " + capacity);
  if (f.V.simCapacity > kSmallestSimRead) {
    ui::Pause(kEntriesRequestPauseMs);
    f.Send(cmd::kReadEntries + capacity + cmd::kCRLF);
  }
}

// "+COPS: 0,0,"name"": 20 characters from the first double quote (the line's start when it
// has none); then the SIM size is requested.
void ShowOperator(TForm1& f) {
  const std::string& line = f.V.receiveLineBuffer;
  const std::size_t quote = line.find('"');
  std::string name = line.substr(quote == std::string::npos ? 0 : quote, kOperatorTextLength);
  for (const char* old : kOldOperatorNames) {
    if (ui::Contains(name, old)) name = kOperatorRenamed;
  }
  f.StatusBar1.SetPanelText(kOperatorPanel, "Operator: " + name);
  ui::Pause(kSimSizeRequestPauseMs);
  f.Send(std::string(cmd::kQuerySimSize) + cmd::kCRLF);
}

}  // namespace

void TForm1::DispatchLine() {
  const std::string& line = V.receiveLineBuffer;
  if (line == cmd::kOK) {
    // The first running chain takes it: upload, then the query after a stop, then a write.
    if (V.uploadInProgress) UploadOkStep();
    else if (V.queryOperatorAfterStop) QueryOperatorAfterStop();
    else if (V.writeInProgress) WriteOkStep();
  } else if (line == cmd::kStop) {
    StopStep();
  } else if (line == cmd::kRegistered || line == cmd::kRegisteredRoaming) {
    ui::Pause(kRegistrationPauseMs);
  } else if (ui::Contains(line, cmd::kBatteryReport)) {
    ShowBoardVoltage(*this);
  } else if (ui::Contains(line, cmd::kSignalReport)) {
    ShowSignal(*this);
  } else if (ui::Contains(line, cmd::kSimSizeReport)) {
    ShowSimSize(*this);
  } else if (ui::Contains(line, cmd::kEntryReport)) {
    EntryHandler();
  } else if (ui::Contains(line, cmd::kOperatorReport)) {
    ShowOperator(*this);
  } else if (V.writeInProgress && (line == cmd::kError || line.rfind(cmd::kCmeError, 0) == 0)) {
    // A write step the device refused ends the write.
    WriteErrorStep();
  }
  // Anything else only stands in the monitor.
}
