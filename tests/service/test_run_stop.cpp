// Stopping and running the device with the waiting indicator, and the direct commands.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "support/FormHarness.h"

namespace {

// The commands sent since `from`, with their times relative to t0.
std::vector<std::pair<long long, std::string>> SentSince(const std::vector<std::string>& sends,
                                                         const std::vector<long long>& times, std::size_t from,
                                                         long long t0) {
  std::vector<std::pair<long long, std::string>> out;
  for (std::size_t i = from; i < sends.size(); ++i) out.emplace_back(times[i] - t0, sends[i]);
  return out;
}

// The whole stop on the device model: DTR, "STOP", echo off, operator, SIM size, entries.
TEST(RunStop, StopReadsTheDeviceAfterItReportsStop) {
  kel::DeviceConfig config = kel::DefaultConfiguration();
  config.stopDelayMs = 2500;  // long enough to see the waiting indicator
  config.operatorName = "AMENA";
  DeviceHarness h(config);
  TForm1& f = h.f();
  auto& sends = h.port->sends;
  const std::size_t from = sends.size();
  const long long t0 = h.clock.NowMs();

  f.StopKEL.Click();
  EXPECT_TRUE(h.port->DTR());
  EXPECT_EQ(f.Prubeh.Max(), 250);
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_TRUE(f.Cekani.Enabled());

  h.clock.Advance(999);
  EXPECT_FALSE(f.Prubeh.Visible());
  h.clock.Advance(1);  // the first tick shows the bar
  EXPECT_TRUE(f.Prubeh.Visible());
  EXPECT_EQ(f.Prubeh.Position(), 1);
  h.clock.Advance(1000);
  EXPECT_EQ(f.Prubeh.Position(), 2);
  EXPECT_FALSE(f.SaveKEL.Enabled());

  h.clock.Advance(500);  // "STOP" arrives at 2500 ms
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_FALSE(f.Cekani.Enabled());
  EXPECT_TRUE(f.SaveKEL.Enabled());

  h.Run();
  const int latency = config.replyLatencyMs;
  const long long stop = 2500, ate0 = stop + 1000, cops = ate0 + latency + 200;
  const long long cpbrSize = cops + latency + 200, cpbrAll = cpbrSize + latency + 100;
  EXPECT_EQ(SentSince(sends, h.port->sendTimes, from, t0),
            (std::vector<std::pair<long long, std::string>>{{ate0, "ATE0\r\n"},
                                                            {cops, "AT+COPS?\r\n"},
                                                            {cpbrSize, "AT+CPBR=?\r\n"},
                                                            {cpbrAll, "AT+CPBR=1,250\r\n"}}));
  EXPECT_EQ(f.StatusBar1.PanelText(0), "Operator: ORANGE");
  EXPECT_EQ(f.StatusBar1.PanelText(2), " SIM: 250");
  EXPECT_EQ(f.V.simCapacity, 250);
  EXPECT_FALSE(f.V.queryOperatorAfterStop);
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_TRUE(h.dialogs.errors.empty());
}

// The whole run on the device model: DTR off, one second, reboot, "#CBC:" ends the wait.
TEST(RunStop, RunRebootsAndTheVoltageReportEndsTheWait) {
  DeviceHarness h;
  TForm1& f = h.f();
  f.StopKEL.Click();
  h.Run();
  ASSERT_TRUE(h.port->DTR());
  ASSERT_FALSE(h.model().ProgramRunning());
  const std::size_t from = h.port->sends.size();
  const long long t0 = h.clock.NowMs();

  f.RunKEL.Click();
  EXPECT_FALSE(h.port->DTR());
  EXPECT_EQ(SentSince(h.port->sends, h.port->sendTimes, from, t0),
            (std::vector<std::pair<long long, std::string>>{{1000, "AT#REBOOT\r\n"}}));
  EXPECT_TRUE(f.Cekani.Enabled());
  EXPECT_FALSE(f.Prubeh.Visible());
  h.clock.Advance(1000);
  EXPECT_TRUE(f.Prubeh.Visible());
  EXPECT_EQ(f.Prubeh.Position(), 1);

  h.Run();
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_FALSE(f.Cekani.Enabled());
  EXPECT_EQ(f.Voltage.Caption(), "3850 mV");
  EXPECT_EQ(f.BVoltage.Position(), 385);
  EXPECT_EQ(f.StatusBar1.PanelText(1), " board voltage: 3850 mV");
  EXPECT_EQ(h.port->sends.size(), from + 1);
  EXPECT_TRUE(h.model().ProgramRunning());
}

// No device answers: the bar fills in 250 s and stays; a second press starts it again at 0.
TEST(RunStop, WaitingIndicatorWithoutAnswer) {
  FormHarness h;
  TForm1& f = h.f();
  f.StopKEL.Click();
  EXPECT_EQ(h.port.dtrChanges, std::vector<bool>{true});
  h.clock.Advance(3000);
  EXPECT_EQ(f.Prubeh.Position(), 3);
  f.StopKEL.Click();
  EXPECT_EQ(f.Prubeh.Position(), 0);
  EXPECT_TRUE(f.Prubeh.Visible());
  h.clock.Advance(1000);  // the timer went on: its next tick comes at its old pace
  EXPECT_EQ(f.Prubeh.Position(), 1);
  h.clock.Advance(300000);
  EXPECT_EQ(f.Prubeh.Position(), 250);
  EXPECT_TRUE(f.Prubeh.Visible());
  EXPECT_TRUE(f.Cekani.Enabled());
  EXPECT_TRUE(h.dialogs.errors.empty());
}

// After "STOP" the next "OK" that no upload takes queries the operator, however late.
TEST(RunStop, LateOkStillQueriesTheOperator) {
  FormHarness h;
  TForm1& f = h.f();
  h.port.Feed("STOP\r");
  h.port.Feed("ERROR\r");
  EXPECT_TRUE(f.V.queryOperatorAfterStop);
  f.signal.Click();
  h.port.Feed("+CSQ: 20,0\r\nOK\r");
  EXPECT_EQ(std::vector<std::string>(h.port.sends.end() - 3, h.port.sends.end()),
            (std::vector<std::string>{"ATE0\r\n", "AT+CSQ\r\n", "AT+COPS?\r\n"}));
  EXPECT_FALSE(f.V.queryOperatorAfterStop);
  h.port.Feed("OK\r");
  EXPECT_EQ(h.port.sends.back(), "AT+COPS?\r\n");
  EXPECT_EQ(h.port.sends.size(), 4u);
}

TEST(RunStop, DirectCommandsSendOneCommandEach) {
  struct Case {
    const char* name;
    ui::TButton TForm1::*button;
    std::string command;
  };
  const Case cases[] = {
      {"signal", &TForm1::signal, "AT+CSQ\r\n"},
      {"IMEI", &TForm1::IMEI, "AT#CGSN\r\n"},
      {"Inicializace", &TForm1::Inicializace, "AT#ESCRIPT=kel.pyo\r\n"},
      {"SetTypeRing", &TForm1::SetTypeRing, "AT#SRS=1,0\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    f.SetServiceButtonsVisible(true);
    const std::size_t from = h.port.sends.size();
    const int monitorLines = f.Monitor.Count();
    (f.*c.button).Click();
    EXPECT_EQ(std::vector<std::string>(h.port.sends.begin() + static_cast<long>(from), h.port.sends.end()),
              std::vector<std::string>{c.command});
    EXPECT_EQ(f.Monitor.Count(), monitorLines);  // commands are not logged
    EXPECT_FALSE(h.port.DTR());
  }
}

// Every change of the ring type's text sends a trial command, typed or picked.
TEST(RunStop, TypeRingSendsOneCommandPerChange) {
  FormHarness h;
  TForm1& f = h.f();
  f.show();
  QLineEdit* edit = f.TypeRing.Combo()->lineEdit();
  ASSERT_NE(edit, nullptr);
  const std::size_t from = h.port.sends.size();

  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "12");
  f.TypeRing.Combo()->setCurrentIndex(4);  // picking "5" from the list
  f.SetTypeRing.Click();

  EXPECT_EQ(std::vector<std::string>(h.port.sends.begin() + static_cast<long>(from), h.port.sends.end()),
            (std::vector<std::string>{"AT#SRS=,4\r\n", "AT#SRS=1,4\r\n", "AT#SRS=12,4\r\n", "AT#SRS=5,4\r\n",
                                      "AT#SRS=5,0\r\n"}));
}

}  // namespace
