// The configuration file on the PC: Save and Load of the "PC" group.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/FormHarness.h"
#include "ui/FileIO.h"
#include "ui/Text.h"

namespace {

// A complete file: each line ends with CR LF, the last one too.
const char* const kExample =
    "ADMIN1=111222333\r\nADMIN2=\r\nADMIN3=\r\nADMIN4=\r\nADMIN5=\r\nADMIN6=\r\nADMIN7=\r\n"
    "ABUTTON1=111222301\r\nABUTTON2=111222302\r\nABUTTON3=\r\nABUTTON4=\r\nABUTTON5=\r\nABUTTON6=\r\nABUTTON7=\r\n"
    "BBUTTON1=111222311\r\nBBUTTON2=\r\nBBUTTON3=\r\nBBUTTON4=\r\nBBUTTON5=\r\nBBUTTON6=\r\nBBUTTON7=\r\n"
    "ALARMON=Alarm on\r\nALARMOFF=Alarm off\r\n"
    "PARAMKEL=4#4#0#0#1#7#2#0\r\nPARAMRL1=5#1#03#1\r\nPARAMRL2=6#1#03#1\r\n"
    "Office=111222341\r\nGate=111222342\r\n";

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "bytes after the last line end";
  return lines;
}

struct ConfigFileTest : ::testing::Test {
  FormHarness h;
  TForm1& f = h.f();

  std::string SaveAs(const std::string& name) {
    h.dialogs.NextFile(h.Path(name));
    f.Save.Click();
    return ui::ReadFileBytes(h.Path(name));
  }
  void LoadBytes(const std::string& bytes, const std::string& name = "in.kel") {
    ui::WriteFileAtomic(h.Path(name), bytes);
    h.dialogs.NextFile(h.Path(name));
    f.Load.Click();
  }
  void NoErrors() {
    EXPECT_TRUE(h.dialogs.errors.empty()) << (h.dialogs.errors.empty() ? "" : h.dialogs.errors.front());
  }
};

TEST_F(ConfigFileTest, TheExampleLoadsIntoTheWindowAndSavesBackByteForByte) {
  LoadBytes(kExample);
  NoErrors();
  ASSERT_EQ(h.dialogs.requests.size(), 1u);
  EXPECT_FALSE(h.dialogs.requests[0].save);
  EXPECT_EQ(h.dialogs.requests[0].filter, "KEL files (*.kel)|*.kel");
  EXPECT_EQ(f.ADMIN1.Text(), "111222333");
  EXPECT_EQ(f.ABUTTON2.Text(), "111222302");
  EXPECT_EQ(f.AABUTTON2.Text(), "111222302");
  EXPECT_EQ(f.BBUTTON1.Text(), "111222311");
  EXPECT_EQ(f.ALARMOFF.Text(), "Alarm off");
  EXPECT_EQ(f.V.deviceParameterString, "4#4#0#0#1#7#2#0");
  EXPECT_EQ(f.V.relay2ParameterString, "6#1#03#1");
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"Office=111222341", "Gate=111222342"}));
  // The settings are shown in the window.
  EXPECT_TRUE(f.ClockGSM.Checked());
  EXPECT_TRUE(f.NoCall.Checked());

  EXPECT_EQ(SaveAs("out.kel"), kExample);
  EXPECT_TRUE(h.dialogs.requests.back().save);
  EXPECT_EQ(h.dialogs.requests.back().filter, "KEL files (*.kel)|*.kel");
}

TEST_F(ConfigFileTest, AnEmptyPhoneBookGivesExactlyTheFixedLines) {
  f.ADMIN2.SetText("123");
  const auto lines = Lines(SaveAs("plain"));
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0], "ADMIN1=");
  EXPECT_EQ(lines[1], "ADMIN2=123");
  EXPECT_EQ(lines[7], "ABUTTON1=");
  EXPECT_EQ(lines[14], "BBUTTON1=");
  EXPECT_EQ(lines[21], "ALARMON=");
  EXPECT_EQ(lines[22], "ALARMOFF=");
  EXPECT_EQ(lines[23], "PARAMKEL=" + f.V.deviceParameterString);
  EXPECT_EQ(lines[25], "PARAMRL2=" + f.V.relay2ParameterString);
  // No extension is added to a name typed without one.
  EXPECT_FALSE(QFile::exists(QString::fromStdString(h.Path("plain.kel"))));
}

TEST_F(ConfigFileTest, SavingTakesTheSettingsFromTheControlsAndLoadingShowsThem) {
  // The window's settings differ from the held strings until saving packs them.
  f.VolSpk.SetPosition(3);
  f.VolMic.SetPosition(6);
  f.SIMCall.SetChecked(true);
  f.TonRing.SetChecked(true);
  f.ClockGSM.SetChecked(true);
  f.PortESMS.SetChecked(true);
  f.RelLi1.SetChecked(true);
  f.RelCode1.SetText("7");
  f.RelTime2.SetText("45");
  f.RelSW2.SetChecked(true);
  f.RelRingAll2.SetChecked(true);
  f.CollectParameters();
  const std::string device = f.V.deviceParameterString;
  const std::string relay1 = f.V.relay1ParameterString;
  const std::string relay2 = f.V.relay2ParameterString;
  f.V.deviceParameterString = "stale";
  f.ADMIN7.SetText("+420123");
  f.ABUTTON3.SetText("555");
  f.BBUTTON6.SetText("*66#");
  f.ALARMON.SetText("Door=open");
  f.PhoneBook1.SetStrings({"Office=111", "=", "no equals", "Alice=2=3", "admin1=9"});
  const std::string saved = SaveAs("all.kel");
  EXPECT_TRUE(ui::Contains(saved, "\r\nPARAMKEL=" + device + "\r\nPARAMRL1=" + relay1 + "\r\nPARAMRL2=" + relay2 +
                                      "\r\nOffice=111\r\n=\r\nno equals\r\nAlice=2=3\r\nadmin1=9\r\n"));

  FormHarness other;
  TForm1& g = other.f();
  other.dialogs.NextFile(h.Path("all.kel"));
  g.Load.Click();
  EXPECT_TRUE(other.dialogs.errors.empty());
  EXPECT_EQ(g.ADMIN7.Text(), "+420123");
  EXPECT_EQ(g.ABUTTON3.Text(), "555");
  EXPECT_EQ(g.AABUTTON3.Text(), "555");
  EXPECT_EQ(g.BBUTTON6.Text(), "*66#");
  EXPECT_EQ(g.ALARMON.Text(), "Door=open");
  // "admin1" is not a fixed line of this file any more: ADMIN1 came first and was empty.
  EXPECT_EQ(g.ADMIN1.Text(), "");
  EXPECT_EQ(g.PhoneBook1.Strings(), (std::vector<std::string>{"Office=111", "=", "no equals", "Alice=2=3", "admin1=9"}));
  EXPECT_EQ(g.V.deviceParameterString, device);
  EXPECT_EQ(g.V.relay1ParameterString, relay1);
  EXPECT_EQ(g.V.relay2ParameterString, relay2);
  // Every setting control shows what the saving window showed.
  EXPECT_EQ(g.VolSpk.Position(), 3);
  EXPECT_EQ(g.VolMic.Position(), 6);
  EXPECT_TRUE(g.RelLi1.Checked());
  EXPECT_TRUE(g.RelRingAll2.Checked());
  for (auto group : {&TForm1::CallGroup, &TForm1::PortGroup, &TForm1::Relay1Group, &TForm1::Relay2Group}) {
    ASSERT_NE((f.*group).Selected(), nullptr);
    ASSERT_NE((g.*group).Selected(), nullptr);
    EXPECT_EQ((g.*group).Selected()->Name(), (f.*group).Selected()->Name());
  }
  for (auto box : {&TForm1::TonBeep, &TForm1::TonRing, &TForm1::TonVoice, &TForm1::SendSMS, &TForm1::ClockGSM,
                   &TForm1::RelRing1, &TForm1::RelRingAll1, &TForm1::RelRing2, &TForm1::RelRingAll2}) {
    SCOPED_TRACE((f.*box).Name());
    EXPECT_EQ((g.*box).Checked(), (f.*box).Checked());
  }
  for (auto field : {&TForm1::RelCode1, &TForm1::RelCode2, &TForm1::RelTime1, &TForm1::RelTime2}) {
    SCOPED_TRACE((f.*field).Name());
    EXPECT_EQ((g.*field).Text(), (f.*field).Text());
  }

  // Saved again, the loaded window writes the same file.
  other.dialogs.NextFile(h.Path("again.kel"));
  g.Save.Click();
  EXPECT_EQ(ui::ReadFileBytes(h.Path("again.kel")), saved);
}

TEST_F(ConfigFileTest, KeysAreMatchedIgnoringCaseFirstLineOnly) {
  LoadBytes(
      "admin1=123\r\nADMIN1=456\r\nAlarmon=Door=open\r\nABUTTON3=111 222-333\r\nBBUTTON2=+420 777\r\n"
      "Paramrl1=7#3#12#0\r\nDoor=open\r\n");
  NoErrors();
  EXPECT_EQ(f.ADMIN1.Text(), "123");
  EXPECT_EQ(f.ALARMON.Text(), "Door=open");
  // Loaded numbers pass through the field rule, and ABUTTON reaches its one-button twin.
  EXPECT_EQ(f.ABUTTON3.Text(), "111");
  EXPECT_EQ(f.AABUTTON3.Text(), "111");
  EXPECT_EQ(f.BBUTTON2.Text(), "+420");
  EXPECT_EQ(f.V.relay1ParameterString, "7#3#12#0");
  EXPECT_TRUE(f.RelLi1.Checked());
  EXPECT_EQ(f.RelTime1.Text(), "12");
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"ADMIN1=456", "Door=open"}));
}

TEST_F(ConfigFileTest, LineEndsAndMissingLines) {
  struct Case {
    const char* name;
    const char* bytes;
    std::vector<std::string> rows;
  } cases[] = {
      {"LF", "ADMIN2=22\nALARMOFF=off\nOffice=1\nGate=2", {"Office=1", "Gate=2"}},
      {"CR", "ADMIN2=22\rALARMOFF=off\rOffice=1\rGate=2\r", {"Office=1", "Gate=2"}},
      {"mixed, empty line", "ADMIN2=22\r\n\nALARMOFF=off\rOffice=1\r\nGate=2\n", {"", "Office=1", "Gate=2"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    f.ADMIN1.SetText("555");
    f.ADMIN2.SetText("");
    LoadBytes(c.bytes);
    NoErrors();
    EXPECT_EQ(f.ADMIN1.Text(), "555");
    EXPECT_EQ(f.ADMIN2.Text(), "22");
    EXPECT_EQ(f.ALARMOFF.Text(), "off");
    EXPECT_EQ(f.PhoneBook1.Strings(), c.rows);
  }
}

TEST_F(ConfigFileTest, AFileWithoutFixedLinesReplacesOnlyThePhoneBook) {
  f.ADMIN1.SetText("1");
  f.V.relay2ParameterString = "6#1#03#1";
  f.PhoneBook1.SetStrings({"Old=1"});
  LoadBytes("New=2\r\n");
  NoErrors();
  EXPECT_EQ(f.ADMIN1.Text(), "1");
  EXPECT_EQ(f.V.relay2ParameterString, "6#1#03#1");
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"New=2"}));
}

TEST_F(ConfigFileTest, CancellingLoadLeavesTheFirstRowCurrentAndNothingElseChanged) {
  f.PhoneBook1.SetStrings({"A=1", "B=2", "C=3"});
  f.PhoneBook1.SetRow(3);
  f.ADMIN1.SetText("1");
  h.dialogs.NextFile(std::nullopt);
  f.Load.Click();
  EXPECT_EQ(f.PhoneBook1.Row(), 1);
  EXPECT_EQ(f.PhoneBook1.RowCount(), 3);
  EXPECT_EQ(f.ADMIN1.Text(), "1");

  // Cancelling the save dialog writes nothing.
  h.dialogs.NextFile(std::nullopt);
  f.Save.Click();
  NoErrors();
  EXPECT_TRUE(QDir(h.dir.path()).entryList({"*.kel"}).isEmpty());
}

TEST_F(ConfigFileTest, AMissingFileIsReportedAndChangesNothing) {
  f.PhoneBook1.SetStrings({"A=1", "B=2"});
  f.PhoneBook1.SetRow(2);
  f.ABUTTON1.SetText("5");
  f.V.deviceParameterString = "4#4#0#0#1#7#2#0";
  h.dialogs.NextFile(h.Path("nowhere.kel"));
  f.Load.Click();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_TRUE(ui::Contains(h.dialogs.errors[0], "Cannot open file \"" + h.Path("nowhere.kel") + "\". "))
      << h.dialogs.errors[0];
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"A=1", "B=2"}));
  EXPECT_EQ(f.PhoneBook1.Row(), 1);
  EXPECT_EQ(f.ABUTTON1.Text(), "5");
  EXPECT_EQ(f.V.deviceParameterString, "4#4#0#0#1#7#2#0");
}

TEST_F(ConfigFileTest, SavingReplacesAnExistingFileAndAFailedSaveKeepsIt) {
  ui::WriteFileAtomic(h.Path("cfg.kel"), "old contents");
  f.ADMIN1.SetText("1");
  EXPECT_TRUE(ui::Contains(SaveAs("cfg.kel"), "ADMIN1=1\r\n"));
  NoErrors();

  const std::string before = ui::ReadFileBytes(h.Path("cfg.kel"));
  f.ADMIN1.SetText("2");
  ui::g_failNextWriteAfter = 20;
  h.dialogs.NextFile(h.Path("cfg.kel"));
  f.Save.Click();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_TRUE(ui::Contains(h.dialogs.errors[0], h.Path("cfg.kel"))) << h.dialogs.errors[0];
  EXPECT_EQ(ui::ReadFileBytes(h.Path("cfg.kel")), before);
}

}  // namespace
