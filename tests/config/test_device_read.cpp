// Reading the configuration from the device: the chain from Load to the last entry on the
// device model, the routing of each entry by its name, and reads that add to the phone book.
#include <gtest/gtest.h>

#include "config/SentCommands.h"
#include "support/FormHarness.h"

namespace {

kel::DeviceConfig DeviceWith(int capacity, std::map<int, kel::SimEntry> sim) {
  kel::DeviceConfig config;
  config.simCapacity = capacity;
  config.sim = std::move(sim);
  return config;
}

// A device whose SIM mixes every kind of entry, in an order that is not the write order.
const std::map<int, kel::SimEntry> kMixedSim = {
    {1, {"+420111", "ADMIN1"}},
    {2, {"098 765", "ABUTTON2"}},
    {3, {"111", "Alice"}},
    {4, {"222", "admin1"}},
    {5, {"2.0", "VER"}},
    {6, {"5#3#0#1#1#5#1#0", "PARKEL"}},
    {7, {"7#3#10#0", "PARRL1"}},
    {9, {"+420999", "ADMIN1"}},
    {10, {"333", "Bob"}},
    {12, {"Alarm on #1 = go", "ALARMON"}},
    {13, {"444", ""}},
    {20, {"9#5#45#1", "PARRL2"}},
    {30, {"777", "BBUTTON7"}},
};

TEST(DeviceRead, LoadReadsEveryEntryIntoItsPlace) {
  DeviceHarness h(DeviceWith(40, kMixedSim));
  TForm1& f = h.f();
  // What an earlier read and the waiting indicator left behind.
  f.PhoneBook1.SetStrings({"old=1", "older=2"});
  f.V.firstPhoneBookEntry = false;
  f.Prubeh.SetMax(250);
  f.Prubeh.SetPosition(100);
  const std::size_t from = h.port->sends.size();

  f.LoadKEL.Click();
  EXPECT_EQ(SentFrom(h.port->sends, from), std::vector<std::string>{"AT+COPS?"});
  EXPECT_EQ(f.Prubeh.Position(), 0);
  EXPECT_FALSE(f.Prubeh.Visible()) << "the read does not show the bar";
  EXPECT_TRUE(f.SaveKEL.Enabled());
  EXPECT_EQ(f.PhoneBook1.RowCount(), 0);
  EXPECT_TRUE(f.V.firstPhoneBookEntry);

  h.Run();
  EXPECT_EQ(SentFrom(h.port->sends, from),
            (std::vector<std::string>{"AT+COPS?", "AT+CPBR=?", "AT+CPBR=1,40"}));
  // Fields: the later of two ADMIN1 entries wins; a blank cuts a button number, in both twins.
  EXPECT_EQ(f.ADMIN1.Text(), "+420999");
  EXPECT_EQ(f.ABUTTON2.Text(), "098");
  EXPECT_EQ(f.AABUTTON2.Text(), "098");
  EXPECT_EQ(f.BBUTTON7.Text(), "777");
  EXPECT_EQ(f.ALARMON.Text(), "Alarm on #1 = go");
  EXPECT_EQ(f.ALARMOFF.Text(), "") << "no entry, no change";
  EXPECT_EQ(f.StatusBar1.PanelText(4), " KEL Ver: 2.0");
  EXPECT_EQ(f.StatusBar1.PanelText(2), " SIM: 40");
  // Parameter strings held and shown in the settings controls.
  EXPECT_EQ(f.V.deviceParameterString, "5#3#0#1#1#5#1#0");
  EXPECT_EQ(f.V.relay1ParameterString, "7#3#10#0");
  EXPECT_EQ(f.V.relay2ParameterString, "9#5#45#1");
  EXPECT_EQ(f.VolMic.Position(), 3);
  EXPECT_EQ(f.VolSpk.Position(), 5);
  EXPECT_TRUE(f.NoCall.Checked());
  EXPECT_TRUE(f.SendSMS.Checked());
  EXPECT_TRUE(f.ClockGSM.Checked());
  EXPECT_TRUE(f.TonBeep.Checked());
  EXPECT_FALSE(f.TonRing.Checked());
  EXPECT_TRUE(f.TonVoice.Checked());
  EXPECT_TRUE(f.PortEtons.Checked());
  EXPECT_EQ(f.RelCode1.Text(), "7");
  EXPECT_TRUE(f.RelLi1.Checked());
  EXPECT_EQ(f.RelTime1.Text(), "10");
  EXPECT_EQ(f.RelCode2.Text(), "9");
  EXPECT_EQ(f.RelTime2.Text(), "45");
  EXPECT_TRUE(f.RelSW2.Checked());
  EXPECT_TRUE(f.RelRingAll2.Checked());
  EXPECT_FALSE(f.RelRing2.Checked());
  // Everything else is the user's phone book, in arrival order; lower-case admin1 included.
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"Alice=111", "admin1=222", "Bob=333", "=444"}));
  EXPECT_FALSE(f.V.firstPhoneBookEntry);
  EXPECT_TRUE(h.dialogs.errors.empty());
}

// Up to 10 slots the entries are not requested; from 11 on they are.
TEST(DeviceRead, SmallSimRequestsNoEntries) {
  struct Case {
    int capacity;
    std::vector<std::string> sent;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {10, {"AT+COPS?", "AT+CPBR=?"}, {}},
      {11, {"AT+COPS?", "AT+CPBR=?", "AT+CPBR=1,11"}, {"Alice=111"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("capacity " + std::to_string(c.capacity));
    DeviceHarness h(DeviceWith(c.capacity, {{1, {"111", "Alice"}}, {2, {"+420111", "ADMIN1"}}}));
    TForm1& f = h.f();
    const std::size_t from = h.port->sends.size();
    f.LoadKEL.Click();
    h.Run();
    EXPECT_EQ(SentFrom(h.port->sends, from), c.sent);
    EXPECT_EQ(f.StatusBar1.PanelText(2), " SIM: " + std::to_string(c.capacity));
    EXPECT_EQ(f.V.simCapacity, c.capacity);
    EXPECT_EQ(f.PhoneBook1.Strings(), c.rows);
    EXPECT_EQ(f.V.firstPhoneBookEntry, c.rows.empty());
  }
}

// The read that the stop sequence starts adds its phone-book entries after those of the
// earlier read; the fields are simply set again.
TEST(DeviceRead, ReadAfterStopAddsToThePhoneBook) {
  DeviceHarness h(DeviceWith(20, {{1, {"111", "Alice"}}, {2, {"+420111", "ADMIN1"}}, {3, {"222", "Bob"}}}));
  TForm1& f = h.f();
  f.LoadKEL.Click();
  h.Run();
  ASSERT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"Alice=111", "Bob=222"}));
  f.ADMIN1.SetText("5");

  const std::size_t from = h.port->sends.size();
  f.StopKEL.Click();
  h.Run();
  EXPECT_EQ(SentFrom(h.port->sends, from),
            (std::vector<std::string>{"ATE0", "AT+COPS?", "AT+CPBR=?", "AT+CPBR=1,20"}));
  EXPECT_EQ(f.PhoneBook1.Strings(), (std::vector<std::string>{"Alice=111", "Bob=222", "Alice=111", "Bob=222"}));
  EXPECT_EQ(f.ADMIN1.Text(), "+420111");
  EXPECT_TRUE(h.dialogs.errors.empty());
}

// The cut steps on single entry lines, whatever their shape: the entry is always routed.
TEST(DeviceRead, EntryLineIsCutIntoNumberAndName) {
  struct Case {
    const char* line;
    std::string admin3;  // the field, when the entry lands there
    std::string row;     // the phone-book row, when it lands there
  };
  const Case cases[] = {
      {"+CPBR: 3,\"0987654321\",129,\"ADMIN3\"", "0987654321", ""},
      {"+CPBR: 4,\"+420 555\",145,\"Eva Nova\"", "", "Eva Nova=+420 555"},
      {"+CPBR: 5,\"12\",129", "", "=12"},
      {"+CPBR: 6", "", "="},
      {"+CPBR: 7,\"\",129,\"ADMIN3\"", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    FormHarness h;
    TForm1& f = h.f();
    h.Feed(std::string(c.line) + "\r\n");
    EXPECT_EQ(f.ADMIN3.Text(), c.admin3);
    EXPECT_EQ(f.PhoneBook1.Strings(), c.row.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.row});
    EXPECT_TRUE(h.dialogs.errors.empty());
  }
}

}  // namespace
