// Receiving: bytes from the port become lines; each line is logged in the traffic monitor
// and handed to the response dispatcher.
#include "app/TForm1.h"
#include "connection/Commands.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

void TForm1::ConnectConnectionHandlers() {
  ApdComPort1.OnTriggerAvail = [this](int count) { ApdComPort1TriggerAvail(count); };
  LedTimer.OnTimer = [this] { LedTimerTimer(); };
  SaveMonitor.OnClick = [this] { SaveMonitorClick(); };
}

void TForm1::ApdComPort1TriggerAvail(int count) {
  RXDled.SetVisible(!RXDled.Visible());
  LedTimer.SetEnabled(true);  // a running timer is not restarted

  for (int i = 0; i < count && ApdComPort1.InBuffUsed() > 0; ++i) {
    const unsigned char b = ApdComPort1.GetChar();
    if (b == 13) {
      // A failing line is reported and dropped; the rest of the batch is still handled, so
      // the next line arrives intact.
      try {
        if (!ui::Contains(V.receiveLineBuffer, cmd::kNotLogged)) Monitor.Add(V.receiveLineBuffer);
        DispatchLine();
      } catch (const std::exception& e) {
        ui::ShowError(e.what());
      }
      V.receiveLineBuffer.clear();
    } else if (b >= 32) {
      V.receiveLineBuffer += static_cast<char>(b);
      try {
        PromptTest();
      } catch (const std::exception& e) {
        ui::ShowError(e.what());
      }
    }
    // 0 to 12 and 14 to 31: dropped.
  }
}

void TForm1::PromptTest() {
  if (V.receiveLineBuffer == cmd::kPrompt && V.uploadInProgress) {
    Monitor.Add(cmd::kPromptAnswered);
    ui::Pause(500);
    Send(V.uploadBuffer);
  }
}

void TForm1::LedTimerTimer() {
  RXDled.SetVisible(false);
  LedTimer.SetEnabled(false);
}

void TForm1::SaveMonitorClick() {
  SaveDialog1.Filter = "Monitor files (*.mon)|*.mon";
  if (!SaveDialog1.Execute()) return;
  Monitor.SaveToFile(SaveDialog1.FileName);
}
