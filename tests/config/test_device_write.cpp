// Writing the configuration to the device: the exact sequence of commands and monitor lines
// with the pause before each command, the lock of the window, and the phone-book lines.
#include <gtest/gtest.h>

#include "config/SentCommands.h"
#include "support/FormHarness.h"

namespace {

// A window on a scripted port whose device answers every command at once with "OK" and has
// reported a SIM of `capacity` slots.
struct OkDevice : FormHarness {
  explicit OkDevice(int capacity) {
    Feed("+CPBR: (1-" + std::to_string(capacity) + "),40,16\r\n");
    port.onSend = [this](const std::string&) { port.Feed("OK\r\n"); };
    f().SaveKEL.SetEnabled(true);
  }
};

std::vector<std::string> Repeat(int times, const std::string& text) {
  return std::vector<std::string>(static_cast<std::size_t>(times), text);
}

void Append(std::vector<std::string>& to, const std::vector<std::string>& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// The controls of the write lock, by name, with whether each is usable.
std::vector<std::pair<std::string, bool>> LockState(TForm1& f) {
  std::vector<std::pair<std::string, bool>> state;
  for (ui::TControl* c : std::initializer_list<ui::TControl*>{
           &f.SaveKEL, &f.LoadKEL, &f.RunKEL, &f.StopKEL, &f.Save, &f.Load, &f.signal, &f.Buttons,
           &f.PhoneBook, &f.seting, &f.service, &f.TabSheet2, &f.SaveMonitor})
    state.emplace_back(c->Name(), c->Enabled());
  return state;
}

std::vector<std::pair<std::string, bool>> AllUsable(TForm1& f, bool exceptLocked) {
  auto state = LockState(f);
  for (std::size_t i = 0; i < state.size(); ++i) state[i].second = !exceptLocked || i >= 11;
  return state;
}

// Capacity 30, only ADMIN1 filled, two phone-book rows: every "OK" and what follows it.
TEST(DeviceWrite, WorkedExampleSendsEachStepAfterItsOk) {
  OkDevice h(30);
  TForm1& f = h.f();
  f.ADMIN1.SetText("0987654321");
  f.PhoneBook1.SetStrings({"Alice=111", "Bob=+420 222"});
  const std::size_t from = h.port.sends.size();
  const int monitorFrom = f.Monitor.Count();

  // The device answers at once, so the whole write may run inside the click: the window is
  // looked at while the device receives each command.
  std::vector<std::string> notLocked;
  std::vector<int> progress;
  h.port.onSend = [&](const std::string& command) {
    if (LockState(f) != AllUsable(f, true) || !f.Prubeh.Visible() || f.Prubeh.Max() != 30 ||
        !f.V.writeInProgress)
      notLocked.push_back(command);
    progress.push_back(f.Prubeh.Position());
    h.port.Feed("OK\r\n");
  };
  f.SaveKEL.Click();
  h.clock.RunUntilIdle();
  EXPECT_TRUE(notLocked.empty()) << notLocked.front();
  ASSERT_EQ(progress.size(), 53u);
  for (std::size_t i = 0; i < progress.size(); ++i) {
    SCOPED_TRACE("command " + std::to_string(i));
    EXPECT_EQ(progress[i], std::min<int>(static_cast<int>(i), 30));
  }

  std::vector<std::string> commands = {"AT", "AT+CPBW=1,0987654321,,ADMIN1"};
  Append(commands, Repeat(22, "AT"));
  Append(commands, {"AT+CPBW=2,1#1#0#0#0#0#0#0,,PARKEL", "AT+CPBW=3,5#0#03#0,,PARRL1",
                    "AT+CPBW=4,6#0#03#0,,PARRL2", "AT+CPBW=5,111,,Alice", "AT+CPBW=6,+420 222,,Bob"});
  for (int slot = 7; slot <= 30; ++slot) commands.push_back("AT+CPBW=" + std::to_string(slot));
  EXPECT_EQ(SentFrom(h.port.sends, from), commands);

  // Each command after the first follows its "OK" by 200 ms (the device answers at once).
  const std::vector<long long> times(h.port.sendTimes.begin() + static_cast<long>(from), h.port.sendTimes.end());
  ASSERT_EQ(times.size(), 53u);
  for (std::size_t i = 1; i < times.size(); ++i) {
    SCOPED_TRACE("command " + std::to_string(i));
    EXPECT_EQ(times[i] - times[i - 1], 200);
  }

  std::vector<std::string> monitor = {"OK", "SIM1"};
  for (int i = 0; i < 22; ++i) Append(monitor, {"OK", "---"});
  for (int slot = 2; slot <= 6; ++slot) Append(monitor, {"OK", "SIM" + std::to_string(slot)});
  for (int slot = 7; slot <= 30; ++slot) Append(monitor, {"OK", "delete SIM" + std::to_string(slot)});
  monitor.push_back("OK");  // the 53rd ends the write
  const auto& lines = f.Monitor.Lines();
  EXPECT_EQ(std::vector<std::string>(lines.begin() + monitorFrom, lines.end()), monitor);

  EXPECT_FALSE(f.V.writeInProgress);
  EXPECT_EQ(f.V.writeStep, 53);
  EXPECT_EQ(f.V.nextSimSlot, 31);
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_EQ(f.Prubeh.Position(), 30) << "held at the maximum";
  EXPECT_EQ(LockState(f), AllUsable(f, false));
  EXPECT_TRUE(h.dialogs.errors.empty());
}

// The phone-book lines from write step 27 on: an empty phone book still has its blank line,
// and a row without "=" or without a number is skipped like an empty field.
TEST(DeviceWrite, PhoneBookLinesAfterTheFixedEntries) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    std::vector<std::string> tail;  // the commands after the three parameter strings
  };
  const Case cases[] = {
      {"empty phone book: the blank line", {}, {"AT"}},
      {"row without =", {"justtext", "Eva=5"}, {"AT", "AT+CPBW=4,5,,Eva"}},
      {"row without number or name", {"Eva=", "=6", "Jan=7"}, {"AT", "AT", "AT+CPBW=4,7,,Jan"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OkDevice h(8);
    TForm1& f = h.f();
    f.PhoneBook1.SetStrings(c.rows);
    const std::size_t from = h.port.sends.size();
    f.SaveKEL.Click();
    h.clock.RunUntilIdle();
    std::vector<std::string> expected = Repeat(24, "AT");
    Append(expected, {"AT+CPBW=1,1#1#0#0#0#0#0#0,,PARKEL", "AT+CPBW=2,5#0#03#0,,PARRL1",
                      "AT+CPBW=3,6#0#03#0,,PARRL2"});
    Append(expected, c.tail);
    const int used = 3 + static_cast<int>(std::count_if(c.tail.begin(), c.tail.end(),
                                                        [](const std::string& s) { return s != "AT"; }));
    for (int slot = used + 1; slot <= 8; ++slot) expected.push_back("AT+CPBW=" + std::to_string(slot));
    EXPECT_EQ(SentFrom(h.port.sends, from), expected);
    EXPECT_FALSE(f.V.writeInProgress);
    EXPECT_TRUE(h.dialogs.errors.empty());
  }
}

// An ALARMON text goes out unchanged in the number position; the settings are those the
// controls show when the write starts.
TEST(DeviceWrite, TextsAndSettingsGoOutAsShown) {
  OkDevice h(30);
  TForm1& f = h.f();
  f.ADMIN1.SetText("1");
  f.ADMIN2.SetText("2");
  f.ADMIN3.SetText("3");
  f.ADMIN4.SetText("4");
  f.ALARMON.SetText("Alarm on");
  f.AllCall.SetChecked(true);
  f.RelCode1.SetText("7");
  f.RelLi1.SetChecked(true);
  f.RelTime1.SetText("10");
  const std::size_t from = h.port.sends.size();
  f.SaveKEL.Click();
  h.clock.RunUntilIdle();
  const std::vector<std::string> sent = SentFrom(h.port.sends, from);
  auto has = [&](const std::string& command) { return std::find(sent.begin(), sent.end(), command) != sent.end(); };
  EXPECT_TRUE(has("AT+CPBW=5,Alarm on,,ALARMON"));
  EXPECT_TRUE(has("AT+CPBW=6,1#1#2#0#0#0#0#0,,PARKEL"));
  EXPECT_TRUE(has("AT+CPBW=7,7#3#10#0,,PARRL1"));
  EXPECT_EQ(f.V.deviceParameterString, "1#1#2#0#0#0#0#0");
}

}  // namespace
