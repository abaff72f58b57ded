// A write that cannot be done as asked: refused before anything is sent, or ended when the
// device refuses a step, stops answering or runs out of slots. The user is always told, and
// the window is always released.
#include <gtest/gtest.h>

#include <functional>

#include "config/SentCommands.h"
#include "support/FormHarness.h"

namespace {

struct FaultCase {
  const char* name;
  int capacity;
  bool loadFirst;                                  // read the device before the write
  std::function<void(DeviceHarness&)> prepare;     // edits and device faults
  std::function<void(DeviceHarness&)> duringWrite; // after the click, before running on
  std::size_t sentCount;                           // commands sent by the write
  std::string lastSent;                            // its last command, when it sent any
  std::string message;                             // the error box, also the monitor's last line
  std::function<void(DeviceHarness&)> check;
};

// The SIM as "slot:number:name" texts.
std::vector<std::string> SimTexts(const std::map<int, kel::SimEntry>& sim) {
  std::vector<std::string> texts;
  for (const auto& [slot, entry] : sim) texts.push_back(std::to_string(slot) + ":" + entry.number + ":" + entry.name);
  return texts;
}

void SimUntouched(DeviceHarness& h) {
  EXPECT_EQ(SimTexts(h.model().Sim()), SimTexts(kel::DefaultConfiguration().sim));
}

const std::string kRefusedComma =
    "Nothing was written: a comma or a double quote would corrupt the SIM entry. Remove them from: ";

// A 17-character name: one more than the SIM takes.
const std::string kLongName = "Ing. Jan Novak ml";

const FaultCase kCases[] = {
    {"capacity 0: no SIM size read yet", 0, false,
     [](DeviceHarness& h) { h.f().SaveKEL.SetEnabled(true); }, nullptr, 0, "",
     "The size of the device's SIM phone book is not known yet, so nothing was written. Load the "
     "configuration from the device first (Load in the KEL group).",
     nullptr},
    {"comma in ALARMON and in a row's number", 250, true,
     [](DeviceHarness& h) {
       h.f().ALARMON.SetText("Alarm, on");
       h.f().PhoneBook1.SetStrings({"Novak Jan=+420602100200", "Dvorakova Eva=777,300"});
     },
     nullptr, 0, "", kRefusedComma + "ALARMON, phone-book row 2 (Dvorakova Eva).",
     SimUntouched},
    {"double quote in a row name", 250, true,
     [](DeviceHarness& h) { h.f().PhoneBook1.InsertRow("Jan \"Boss\"", "123", true); }, nullptr, 0, "",
     kRefusedComma + "phone-book row 5 (Jan \"Boss\").",
     SimUntouched},
    {"ERROR at slot 5", 250, true, [](DeviceHarness& h) { h.model().FailNextWrites(5, "ERROR"); }, nullptr,
     16, "AT+CPBW=5,+420605123987,,BBUTTON1",
     "Writing to the device stopped at SIM slot 5 with BBUTTON1 = +420605123987: the device answered "
     "\"ERROR\". SIM slots 1 to 4 were written; the configuration on the device is incomplete. Correct "
     "the entry and write again.",
     [](DeviceHarness& h) { EXPECT_EQ(h.model().Sim().at(4).name, "ABUTTON2"); }},
    {"+CME ERROR for a name too long", 250, true,
     [](DeviceHarness& h) { h.f().PhoneBook1.InsertRow(kLongName, "123", true); }, nullptr, 32,
     "AT+CPBW=15,123,," + kLongName,
     "Writing to the device stopped at SIM slot 15 with phone-book row 5 (" + kLongName +
         ") = 123: the device answered \"+CME ERROR: 24\". SIM slots 1 to 14 were written; the "
         "configuration on the device is incomplete. Correct the entry and write again.",
     nullptr},
    {"silence after slot 2", 250, true, nullptr,
     [](DeviceHarness& h) {
       // Run until the device has received ADMIN2, then it hangs.
       const std::string admin2 = "AT+CPBW=2,+420603333444,,ADMIN2\r\n";
       while (h.port->sends.back() != admin2) h.clock.Advance(1);
       h.model().SetSilent(true);
     },
     3, "AT+CPBW=2,+420603333444,,ADMIN2",
     "Writing to the device stopped at SIM slot 2 with ADMIN2 = +420603333444: the device did not "
     "answer within 5 seconds. SIM slot 1 was written; the configuration on the device is incomplete. "
     "Check the connection and write again.",
     [](DeviceHarness& h) {
       // The error box opened exactly when the time-out ran out.
       EXPECT_EQ(h.clock.NowMs(), h.port->sendTimes.back() + 5000);
     }},
    {"capacity 26: the phone book does not fit", 26, true,
     [](DeviceHarness& h) {
       TForm1& f = h.f();
       for (std::size_t i = 0; i < 7; ++i) {
         f.ADMIN[i]->SetText("60000000" + std::to_string(i));
         f.ABUTTON[i]->SetText("70000000" + std::to_string(i));
         f.BBUTTON[i]->SetText("80000000" + std::to_string(i));
       }
       f.ALARMON.SetText("on");
       f.ALARMOFF.SetText("off");
       f.PhoneBook1.SetStrings({"Novak=1", "Vratnice=2"});
     },
     nullptr, 27, "AT+CPBW=26,6#1#03#1,,PARRL2",
     "The SIM of the device has only 26 slots: 2 entries were not written: Novak, Vratnice.",
     [](DeviceHarness& h) {
       const auto& sim = h.model().Sim();
       ASSERT_EQ(sim.size(), 26u);
       EXPECT_EQ(sim.at(23).name, "ALARMOFF");
       EXPECT_EQ(sim.at(26).name, "PARRL2");
     }},
};

TEST(DeviceWriteFaults, UserIsToldAndTheWindowReleased) {
  for (const FaultCase& c : kCases) {
    SCOPED_TRACE(c.name);
    kel::DeviceConfig config = kel::DefaultConfiguration();
    config.simCapacity = c.capacity == 0 ? 250 : c.capacity;
    DeviceHarness h(config);
    TForm1& f = h.f();
    if (c.loadFirst) {
      f.LoadKEL.Click();
      h.Run();
      ASSERT_EQ(f.V.simCapacity, c.capacity);
    }
    if (c.prepare) c.prepare(h);
    const std::size_t from = h.port->sends.size();
    // The window as the user sees it while the error box is open.
    bool lockedWhileBoxOpen = true;
    h.dialogs.whileErrorBoxOpen = [&] { lockedWhileBoxOpen = f.V.writeInProgress || !f.LoadKEL.Enabled(); };

    f.SaveKEL.Click();
    if (c.duringWrite) c.duringWrite(h);
    h.Run();

    const std::vector<std::string> sent = SentFrom(h.port->sends, from);
    EXPECT_EQ(sent.size(), c.sentCount);
    EXPECT_EQ(sent.empty() ? "" : sent.back(), c.lastSent);
    ASSERT_EQ(h.dialogs.errors.size(), 1u);
    EXPECT_EQ(h.dialogs.errors[0], c.message);
    EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 1), c.message);
    EXPECT_FALSE(lockedWhileBoxOpen) << "released before the box";
    EXPECT_FALSE(f.V.writeInProgress);
    EXPECT_FALSE(f.Prubeh.Visible());
    EXPECT_FALSE(f.WriteTimeout.Enabled());
    for (ui::TControl* control : std::initializer_list<ui::TControl*>{
             &f.SaveKEL, &f.LoadKEL, &f.RunKEL, &f.StopKEL, &f.Save, &f.Load, &f.signal, &f.Buttons,
             &f.PhoneBook, &f.seting, &f.service})
      EXPECT_TRUE(control->Enabled()) << control->Name();
    if (c.check) c.check(h);

    // The window goes on: a late answer changes nothing.
    h.model().SetSilent(false);
    h.model().FailNextWrites(5, "");
    f.Send("AT\r\n");
    h.Run();
    EXPECT_EQ(h.dialogs.errors.size(), 1u);
  }
}

// Only the device's error replies end a write, and only while one runs.
TEST(DeviceWriteFaults, ErrorRepliesEndOnlyARunningWrite) {
  struct Case {
    const char* line;
    bool writing;
    bool ends;
  };
  const Case cases[] = {
      {"ERROR", true, true},          {"+CME ERROR: 21", true, true}, {"ERROR ", true, false},
      {"error", true, false},         {"NO CARRIER ERROR", true, false}, {"ERROR", false, false},
      {"+CME ERROR: 21", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line) + (c.writing ? " while writing" : " while idle"));
    FormHarness h;
    TForm1& f = h.f();
    h.Feed("+CPBR: (1-30),40,16\r\n");
    if (c.writing) {
      f.SaveKEL.SetEnabled(true);
      f.SaveKEL.Click();
      h.port.Feed("OK\r\n");
      h.clock.Advance(1000);  // a few steps into the write, well inside the time-out
      ASSERT_TRUE(f.V.writeInProgress);
    }
    h.port.Feed(std::string(c.line) + "\r\n");
    h.clock.Advance(1);
    EXPECT_EQ(h.dialogs.errors.size(), c.ends ? 1u : 0u);
    EXPECT_EQ(f.V.writeInProgress, c.writing && !c.ends);
  }
}

// A port that fails while the write starts: the user sees why, and the window is released.
TEST(DeviceWriteFaults, PortFailureAtTheStartReleasesTheWindow) {
  FormHarness h;
  TForm1& f = h.f();
  h.Feed("+CPBR: (1-30),40,16\r\n");
  f.SaveKEL.SetEnabled(true);
  h.port.failSendWith = "No serial port chosen";
  f.SaveKEL.Click();
  h.clock.RunUntilIdle();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "Writing to the device could not start: No serial port chosen.");
  EXPECT_FALSE(f.V.writeInProgress);
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_TRUE(f.LoadKEL.Enabled());
  EXPECT_TRUE(f.Buttons.Enabled());
}

}  // namespace
