// Receiving: bytes become lines, lines reach the monitor and the dispatcher, the receive
// indicator, the script prompt, and saving the monitor.
#include <gtest/gtest.h>

#include "support/FormHarness.h"
#include "ui/FileIO.h"

namespace {

std::vector<std::string> MonitorLines(TForm1& f) { return f.Monitor.Lines(); }

}  // namespace

TEST(Receive, BytesBecomeLines) {
  struct Case {
    const char* name;
    std::vector<std::string> chunks;  // one notification each
    std::vector<std::string> monitor;
  };
  const Case cases[] = {
      {"CR LF framed reply", {"\r\nOK\r\n"}, {"", "OK"}},
      {"LF alone ends no line", {"one\ntwo\nthree\r"}, {"onetwothree"}},
      {"a line split over notifications", {"+CO", "PS: 0,0", ",\"X\"\r"}, {"+COPS: 0,0,\"X\""}},
      {"control bytes vanish, 128..255 stay", {std::string("a\tb\x01" "c\x7f\x80\xff\x1b\r", 10)},
       {std::string("abc\x7f\x80\xff", 6)}},
      {"no CR yet: no line", {"pending"}, {}},
      {"#SMSATWL lines stay out of the monitor", {"#SMSATWL: 1\rafter\r"}, {"after"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    for (const auto& chunk : c.chunks) h.Feed(chunk);
    EXPECT_EQ(MonitorLines(h.f()), c.monitor);
  }
}

TEST(Receive, SplitLineIsDispatchedOnceAndSmsatwlLinesAreStillDispatched) {
  FormHarness h;
  h.Feed("+CSQ: 2");
  h.Feed("0,0\r");
  EXPECT_EQ(h.f().Smeter.Progress(), 20);
  EXPECT_EQ(MonitorLines(h.f()), (std::vector<std::string>{"+CSQ: 20,0"}));
  h.Feed("#SMSATWL +CSQ: 25,0\r");
  EXPECT_EQ(h.f().Smeter.Progress(), 25);
  EXPECT_EQ(MonitorLines(h.f()).size(), 1u);
}

TEST(Receive, ANotificationWithNoBytesOnlyTogglesTheIndicator) {
  FormHarness h;
  TForm1& f = h.f();
  f.V.receiveLineBuffer = "part";
  f.ApdComPort1TriggerAvail(0);
  EXPECT_TRUE(f.RXDled.Visible());
  EXPECT_TRUE(f.LedTimer.Enabled());
  EXPECT_EQ(f.V.receiveLineBuffer, "part");
  EXPECT_EQ(f.Monitor.Count(), 0);
  f.ApdComPort1TriggerAvail(0);
  EXPECT_FALSE(f.RXDled.Visible());
}

TEST(Receive, IndicatorFlipsPerNotificationAndHidesTwoSecondsAfterTheTimerStarted) {
  FormHarness h;
  TForm1& f = h.f();
  const long long t0 = h.clock.NowMs();
  h.port.Feed("a");
  EXPECT_TRUE(f.RXDled.Visible());
  h.clock.Advance(500);
  h.port.Feed("b");
  EXPECT_FALSE(f.RXDled.Visible());  // flipped, and the running timer is not restarted
  h.clock.Advance(1000);
  h.port.Feed("c");
  EXPECT_TRUE(f.RXDled.Visible());
  h.clock.Advance(499);
  EXPECT_TRUE(f.RXDled.Visible());
  EXPECT_EQ(h.clock.NowMs() - t0, 1999);
  h.clock.Advance(1);  // 2 s after the notification that started the timer
  EXPECT_FALSE(f.RXDled.Visible());
  EXPECT_FALSE(f.LedTimer.Enabled());
  h.clock.Advance(5000);
  EXPECT_FALSE(f.RXDled.Visible());
  h.port.Feed("d");
  EXPECT_TRUE(f.RXDled.Visible());
  EXPECT_TRUE(f.LedTimer.Enabled());
}

TEST(Receive, AFailingLineIsReportedAndTheRestOfTheBatchArrivesIntact) {
  FormHarness h;
  TForm1& f = h.f();
  h.Feed("#CBC: 0,385 \r+CSQ: 22,0\r");
  EXPECT_EQ(h.dialogs.errors, (std::vector<std::string>{"'385 ' is not a valid integer value."}));
  EXPECT_EQ(f.Smeter.Progress(), 22);
  EXPECT_EQ(f.V.receiveLineBuffer, "");
  EXPECT_EQ(MonitorLines(f), (std::vector<std::string>{"#CBC: 0,385 ", "385 ", "+CSQ: 22,0"}));
}

TEST(Receive, NoOtherBatchIsHandledWhileTheErrorBoxIsOpen) {
  FormHarness h;
  TForm1& f = h.f();
  std::vector<int> monitorCountWhileOpen;
  h.dialogs.whileErrorBoxOpen = [&] {
    h.port.Feed("later\r");
    monitorCountWhileOpen.push_back(f.Monitor.Count());
  };
  h.Feed("+CSQ: x\rsame batch\r");
  EXPECT_EQ(monitorCountWhileOpen, (std::vector<int>{1}));
  EXPECT_EQ(MonitorLines(f), (std::vector<std::string>{"+CSQ: x", "same batch", "later"}));
}

TEST(Receive, ThePromptSendsTheUploadBufferOnlyAtTheStartOfALine) {
  struct Case {
    const char* name;
    bool upload;
    const char* bytes;
    int sends;
  };
  const Case cases[] = {
      {"prompt during an upload", true, ">>> \r", 1},
      {"prompt without an upload is a plain line", false, ">>>\r", 0},
      {"after other characters", true, "x>>>\r", 0},
      {"only two", true, ">>\r", 0},
      {"a run of four fires once", true, ">>>>\r", 1},
      {"two prompt lines", true, ">>>\r>>>\r", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    f.V.uploadInProgress = c.upload;
    f.V.uploadBuffer = std::string("\0DATA\r\n", 7);
    const auto before = h.port.sends.size();
    const long long t0 = h.clock.NowMs();
    h.Feed(c.bytes);
    ASSERT_EQ(static_cast<int>(h.port.sends.size() - before), c.sends);
    if (c.sends > 0) {
      EXPECT_EQ(h.port.sends.back(), std::string("\0DATA\r\n", 7));
      EXPECT_EQ(h.port.sendTimes[before], t0 + 500);
      EXPECT_EQ(f.Monitor.Line(0), "+++++++++");
      EXPECT_EQ(f.Monitor.Line(1).substr(0, 3), ">>>");  // the prompt line is still logged
    }
  }
}

TEST(SaveLog, WritesEveryLineWithCrLfAndReplacesTheFile) {
  FormHarness h;
  TForm1& f = h.f();
  const std::string path = h.Path("traffic");  // no extension is added
  ui::WriteFileAtomic(path, "old");
  h.dialogs.NextFile(path);
  f.SaveMonitorClick();
  EXPECT_EQ(ui::ReadFileBytes(path), "");  // empty monitor, empty file
  ASSERT_EQ(h.dialogs.requests.size(), 1u);
  EXPECT_EQ(h.dialogs.requests[0].filter, "Monitor files (*.mon)|*.mon");
  EXPECT_TRUE(h.dialogs.requests[0].save);
  h.Feed("\r\nOK\r\nCaf\xe9\r");
  h.dialogs.NextFile(path);
  f.SaveMonitor.Click();
  EXPECT_EQ(ui::ReadFileBytes(path), "\r\nOK\r\nCaf\xe9\r\n");
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST(SaveLog, CancelWritesNothingAndAFailedSaveKeepsTheOldFile) {
  FormHarness h;
  TForm1& f = h.f();
  const std::string path = h.Path("day.mon");
  ui::WriteFileAtomic(path, "previous log\r\n");
  f.SaveMonitorClick();  // cancelled
  EXPECT_EQ(ui::ReadFileBytes(path), "previous log\r\n");
  h.Feed("a long line that will not fit\r");
  h.dialogs.NextFile(path);
  ui::g_failNextWriteAfter = 4;
  f.SaveMonitor.Click();
  EXPECT_EQ(ui::ReadFileBytes(path), "previous log\r\n");
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_NE(h.dialogs.errors[0].find(path), std::string::npos) << h.dialogs.errors[0];
}
