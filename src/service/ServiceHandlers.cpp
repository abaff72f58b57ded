// Run, stop and the direct device commands. Stopping raises DTR; the device answers "STOP",
// after which echo is switched off and the configuration is read. Running drops DTR and
// reboots the module, which reports its board voltage when it is up again. Meanwhile the
// waiting indicator (Prubeh, advanced once a second by Cekani) runs until the device reports.
#include "app/TForm1.h"
#include "connection/Commands.h"
#include "ui/Runtime.h"

namespace {
constexpr int kWaitingSteps = 250;       // the bar is full after about 250 s
constexpr int kRebootPauseMs = 1000;     // DTR off settles before the reboot command
constexpr int kAfterStopPauseMs = 1000;  // the stopped device gets ready for commands
constexpr int kOperatorPauseMs = 200;
}  // namespace

void TForm1::ConnectServiceHandlers() {
  StopKEL.OnClick = [this] { StopKELClick(); };
  RunKEL.OnClick = [this] { RunKELClick(); };
  Cekani.OnTimer = [this] { CekaniTimer(); };
  signal.OnClick = [this] { signalClick(); };
  IMEI.OnClick = [this] { IMEIClick(); };
  TypeRing.OnChange = [this] { TypeRingChange(); };
  SetTypeRing.OnClick = [this] { SetTypeRingClick(); };
  Inicializace.OnClick = [this] { InicializaceClick(); };
  LoadList.OnClick = [this] { LoadListClick(); };
  ClrList.OnClick = [this] { ClrListClick(); };
  Upgrade.OnClick = [this] { UpgradeClick(); };
}

// The waiting indicator starts at 0; the first tick shows it.
static void StartWaiting(TForm1& f) {
  f.Prubeh.SetMax(kWaitingSteps);
  f.Prubeh.SetPosition(0);
  f.Cekani.SetEnabled(true);
}

void TForm1::StopKELClick() {
  ApdComPort1.SetDTR(true);
  StartWaiting(*this);
}

void TForm1::RunKELClick() {
  ApdComPort1.SetDTR(false);
  ui::Pause(kRebootPauseMs);
  Send(std::string(cmd::kReboot) + cmd::kCRLF);
  StartWaiting(*this);
}

void TForm1::CekaniTimer() {
  Prubeh.SetPosition(Prubeh.Position() + 1);
  Prubeh.SetVisible(true);
}

void TForm1::StopStep() {
  Cekani.SetEnabled(false);
  Prubeh.SetVisible(false);
  SaveKEL.SetEnabled(true);
  ui::Pause(kAfterStopPauseMs);
  Send(std::string(cmd::kEchoOff) + cmd::kCRLF);
  V.queryOperatorAfterStop = true;
}

void TForm1::QueryOperatorAfterStop() {
  V.queryOperatorAfterStop = false;
  ui::Pause(kOperatorPauseMs);
  // The answer sets the reading chain going: operator, SIM size, entries.
  Send(std::string(cmd::kQueryOperator) + cmd::kCRLF);
}

void TForm1::signalClick() { Send(std::string(cmd::kQuerySignal) + cmd::kCRLF); }

void TForm1::IMEIClick() { Send(std::string(cmd::kQueryImei) + cmd::kCRLF); }

void TForm1::TypeRingChange() {
  Send(cmd::kRingType + TypeRing.Text() + cmd::kRingTry + cmd::kCRLF);
}

void TForm1::SetTypeRingClick() {
  Send(cmd::kRingType + TypeRing.Text() + cmd::kRingSet + cmd::kCRLF);
}

void TForm1::InicializaceClick() { Send(std::string(cmd::kStartScript) + cmd::kCRLF); }
