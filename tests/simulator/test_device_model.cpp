#include "simulator/DeviceModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using kel::DeviceConfig;
using kel::DeviceModel;
using kel::SimEntry;

// Virtual clock: callbacks run in (time, scheduling order) when the test advances time.
class VirtualClock {
 public:
  void Schedule(int delayMs, std::function<void()> fn) {
    queue_.push(Item{now_ + delayMs, seq_++, std::move(fn)});
  }
  void Advance(long ms) {
    const long end = now_ + ms;
    while (!queue_.empty() && queue_.top().time <= end) {
      Item item = queue_.top();
      queue_.pop();
      now_ = item.time;
      item.fn();
    }
    now_ = end;
  }

 private:
  struct Item {
    long time;
    long seq;
    std::function<void()> fn;
  };
  struct Later {
    bool operator()(const Item& a, const Item& b) const {
      return a.time != b.time ? a.time > b.time : a.seq > b.seq;
    }
  };
  std::priority_queue<Item, std::vector<Item>, Later> queue_;
  long now_ = 0;
  long seq_ = 0;
};

DeviceConfig QuietConfig() {
  DeviceConfig cfg;
  cfg.statusIntervalMs = 0;  // no unsolicited status lines in conversation tests
  return cfg;
}

// A model wired to a virtual clock, collecting everything the device sends.
struct Rig {
  explicit Rig(DeviceConfig cfg = QuietConfig())
      : latency(cfg.replyLatencyMs),
        model(std::move(cfg),
              [this](int delay, std::function<void()> fn) { clock.Schedule(delay, std::move(fn)); },
              [this](const std::string& bytes) { output += bytes; }) {}

  // Sends bytes, lets the reply latency pass and returns what came back.
  std::string Exchange(const std::string& bytes) {
    model.Receive(bytes);
    clock.Advance(latency);
    return Take();
  }
  std::string Take() { return std::exchange(output, {}); }
  void EchoOff() {
    ASSERT_EQ(Exchange("ATE0\r"), "ATE0\r\r\nOK\r\n");
  }

  VirtualClock clock;
  std::string output;
  int latency;
  DeviceModel model;
};

std::string OkReply(const std::string& line) { return "\r\n" + line + "\r\n\r\nOK\r\n"; }
const std::string kOk = "\r\nOK\r\n";
const std::string kError = "\r\nERROR\r\n";

TEST(DeviceModel, EchoesCommandLinesUntilAte0AndAgainAfterAte1) {
  Rig rig;
  EXPECT_TRUE(rig.model.Echo());
  EXPECT_EQ(rig.Exchange("AT\r\n"), "AT\r\n" + kOk);
  EXPECT_EQ(rig.Exchange("ATE0\r"), "ATE0\r" + kOk);  // the line switching echo off is still echoed
  EXPECT_FALSE(rig.model.Echo());
  EXPECT_EQ(rig.Exchange("AT\r"), kOk);
  EXPECT_EQ(rig.Exchange("ate1\r"), kOk);
  EXPECT_TRUE(rig.model.Echo());
  EXPECT_EQ(rig.Exchange("at+csq\r"), "at+csq\r" + OkReply("+CSQ: 17,0"));
}

TEST(DeviceModel, RepliesOnlyAfterTheLatencyOnTheCallersClock) {
  DeviceConfig cfg = QuietConfig();
  cfg.replyLatencyMs = 40;
  Rig rig(cfg);
  rig.model.Receive("AT\r");
  EXPECT_EQ(rig.output, "");
  rig.clock.Advance(39);
  EXPECT_EQ(rig.output, "");
  rig.clock.Advance(1);
  EXPECT_EQ(rig.Take(), "AT\r" + kOk);
}

TEST(DeviceModel, AssemblesCommandsFromArbitraryChunksAndEchoesThemVerbatim) {
  Rig rig;
  for (const std::string chunk : {"A", "T+C", "\r", "AT\r", "\nAT+CS"}) rig.model.Receive(chunk);
  rig.clock.Advance(rig.latency);
  EXPECT_EQ(rig.Take(), "AT+C\r" + kError + "AT\r" + kOk + "\nAT+CS");
  EXPECT_EQ(rig.Exchange("Q\r"), "Q\r" + OkReply("+CSQ: 17,0"));
  EXPECT_EQ(rig.model.CommandLog(), (std::vector<std::string>{"AT+C", "AT", "AT+CSQ"}));
}

TEST(DeviceModel, AnswersFixedQueriesAndRejectsUnknownCommands) {
  DeviceConfig cfg = QuietConfig();
  cfg.operatorName = "O2 - CZ";
  cfg.signal = 9;
  cfg.simCapacity = 100;
  Rig rig(cfg);
  rig.EchoOff();
  const struct {
    const char* command;
    std::string reply;
  } cases[] = {
      {"AT", kOk},
      {"aT", kOk},
      {"AT+COPS?", OkReply("+COPS: 0,0,\"O2 - CZ\"")},
      {"at+cops?", OkReply("+COPS: 0,0,\"O2 - CZ\"")},
      {"AT+CPBR=?", OkReply("+CPBR: (1-100),40,16")},
      {"AT+CSQ", OkReply("+CSQ: 9,0")},
      {"AT#CGSN", OkReply("#CGSN: 356938035643809")},
      {"at#cgsn", OkReply("#CGSN: 356938035643809")},
      {"AT#SRS=1,3", kOk},
      {"AT#SRS?", OkReply("#SRS: 1,3")},
      {"AT#ESCRIPT=main.py", kOk},
      {"AT#ESCRIPT=\"kel.py\"", kOk},
      {"AT#ESCRIPT?", OkReply("#ESCRIPT: \"kel.py\"")},
      {"AT+FOO", kError},
      {"HELLO", kError},
      {"AT+COPS", kError},
      {"AT+CPBR", kError},
      {"AT+CPBR=x", kError},
      {"AT#SRS=a,b", kError},
      {"AT#WSCRIPT=kel.py,0", kError},
      {"AT#WSCRIPT=kel.py,abc", kError},
      {"AT#WSCRIPT=kel.py", kError},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rig.Exchange(std::string(c.command) + "\r"), c.reply) << c.command;
  }
  EXPECT_TRUE(rig.model.Scripts().empty());
}

TEST(DeviceModel, ReadsUsedSlotsInARangeWithNumberType) {
  DeviceConfig cfg = QuietConfig();
  cfg.sim = {{1, {"+420603111222", "ADMIN1"}}, {2, {"1234", "ALARMON"}}, {7, {"602500600", "Petr"}}};
  Rig rig(cfg);
  rig.EchoOff();
  const std::string admin = "\r\n+CPBR: 1,\"+420603111222\",145,\"ADMIN1\"\r\n";
  const std::string alarm = "\r\n+CPBR: 2,\"1234\",129,\"ALARMON\"\r\n";
  const std::string petr = "\r\n+CPBR: 7,\"602500600\",129,\"Petr\"\r\n";
  const std::string invalidIndex = "\r\n+CME ERROR: 21\r\n";
  const struct {
    const char* args;
    std::string reply;
  } cases[] = {
      {"1", admin + kOk},
      {"2", alarm + kOk},
      {"1,250", admin + alarm + petr + kOk},
      {"2,7", alarm + petr + kOk},
      {"3,6", kOk},
      {"250", kOk},
      {"0", invalidIndex},
      {"251", invalidIndex},
      {"0,5", invalidIndex},
      {"1,251", invalidIndex},
      {"7,2", invalidIndex},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rig.Exchange(std::string("AT+CPBR=") + c.args + "\r"), c.reply) << c.args;
  }
}

TEST(DeviceModel, WritesPhoneBookInBothFormsAndEnforcesLimits) {
  Rig rig;
  rig.EchoOff();
  const std::string name16(16, 'n');
  const std::string number40(40, '5');
  const struct {
    std::string args;
    std::string reply;
    int slot;
    std::optional<SimEntry> stored;  // slot content afterwards, nullopt = empty
  } cases[] = {
      {"1,+420603111222,,ADMIN1", kOk, 1, SimEntry{"+420603111222", "ADMIN1"}},
      {"2,4#4#0#0#1#7#2#0,,PARKEL", kOk, 2, SimEntry{"4#4#0#0#1#7#2#0", "PARKEL"}},
      {"3,602500600,,Doe, John", kOk, 3, SimEntry{"602500600", "Doe, John"}},
      {"4,\"602500600\",129,\"Petr\"", kOk, 4, SimEntry{"602500600", "Petr"}},
      {"5,\"+420777300400\",,\"Eva\"", kOk, 5, SimEntry{"+420777300400", "Eva"}},
      {"6,\"420777300400\",145,\"Intl\"", kOk, 6, SimEntry{"+420777300400", "Intl"}},
      {"7,,,NoNumber", kOk, 7, SimEntry{"", "NoNumber"}},
      {"8," + number40 + ",," + name16, kOk, 8, SimEntry{number40, name16}},
      {"1", kOk, 1, std::nullopt},
      {"9," + number40 + "5,,x", "\r\n+CME ERROR: 26\r\n", 9, std::nullopt},
      {"9,123,," + name16 + "n", "\r\n+CME ERROR: 24\r\n", 9, std::nullopt},
      {"9,\"123\",129,\"" + name16 + "n\"", "\r\n+CME ERROR: 24\r\n", 9, std::nullopt},
      {"0,123,,zero", "\r\n+CME ERROR: 21\r\n", 0, std::nullopt},
      {"251,123,,over", "\r\n+CME ERROR: 21\r\n", 251, std::nullopt},
      {"9,\"123,,broken", kError, 9, std::nullopt},
      {"x,123,,bad", kError, 9, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(rig.Exchange("AT+CPBW=" + c.args + "\r"), c.reply) << c.args;
    const auto& sim = rig.model.Sim();
    const auto it = sim.find(c.slot);
    ASSERT_EQ(it != sim.end(), c.stored.has_value()) << c.args;
    if (c.stored) {
      EXPECT_EQ(it->second.number, c.stored->number) << c.args;
      EXPECT_EQ(it->second.name, c.stored->name) << c.args;
    }
  }
  // What was written reads back in the standard format.
  EXPECT_EQ(rig.Exchange("AT+CPBR=3,6\r"),
            "\r\n+CPBR: 3,\"602500600\",129,\"Doe, John\"\r\n"
            "\r\n+CPBR: 4,\"602500600\",129,\"Petr\"\r\n"
            "\r\n+CPBR: 5,\"+420777300400\",145,\"Eva\"\r\n"
            "\r\n+CPBR: 6,\"+420777300400\",145,\"Intl\"\r\n" +
                kOk);
}

TEST(DeviceModel, InjectedWriteFaultsAnswerInsteadOfStoring) {
  Rig rig;
  rig.EchoOff();
  rig.model.FailNextWrites(3, "+CME ERROR: 20");
  rig.model.FailNextWrites(4, "ERROR", 2);
  EXPECT_EQ(rig.Exchange("AT+CPBW=3,123,,A\r"), "\r\n+CME ERROR: 20\r\n");
  EXPECT_EQ(rig.Exchange("AT+CPBW=2,222,,B\r"), kOk);  // other slots are unaffected
  EXPECT_EQ(rig.Exchange("AT+CPBW=4,444,,C\r"), kError);
  EXPECT_EQ(rig.Exchange("AT+CPBW=4\r"), kError);  // a delete is a write too
  EXPECT_EQ(rig.model.Sim().count(3) + rig.model.Sim().count(4), 0u);
  EXPECT_EQ(rig.Exchange("AT+CPBW=3,123,,A\r"), kOk);
  EXPECT_EQ(rig.Exchange("AT+CPBW=4,444,,C\r"), kOk);
  EXPECT_EQ(rig.model.Sim().size(), 3u);

  rig.model.FailNextWrites(5, "ERROR", -1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(rig.Exchange("AT+CPBW=5,5,,E\r"), kError);
  rig.model.FailNextWrites(5, "");
  EXPECT_EQ(rig.Exchange("AT+CPBW=5,5,,E\r"), kOk);
}

TEST(DeviceModel, SilentDeviceDropsEverythingButStillLogsLines) {
  DeviceConfig cfg = QuietConfig();
  cfg.statusIntervalMs = 1000;
  Rig rig(cfg);
  rig.model.Receive("AT+CSQ\r");
  rig.model.SetSilent(true);  // the already queued reply is lost as well
  rig.model.Receive("AT+CPBW=1,1,,X\r");
  rig.clock.Advance(5000);
  EXPECT_EQ(rig.Take(), "");
  EXPECT_TRUE(rig.model.Sim().empty());
  EXPECT_EQ(rig.model.CommandLog(), (std::vector<std::string>{"AT+CSQ", "AT+CPBW=1,1,,X"}));
  rig.model.SetSilent(false);
  EXPECT_EQ(rig.Exchange("AT\r"), "AT\r" + kOk);
}

TEST(DeviceModel, RebootAnswersOkThenRestartsWithEchoAndAnnouncesItself) {
  DeviceConfig cfg = QuietConfig();
  cfg.bootDelayMs = 2000;
  cfg.voltage = 412;
  Rig rig(cfg);
  rig.EchoOff();
  rig.model.StopProgram();
  rig.clock.Advance(cfg.stopDelayMs);
  EXPECT_EQ(rig.Take(), "\r\nSTOP\r\n");

  EXPECT_EQ(rig.Exchange("AT#REBOOT\r"), kOk);
  rig.model.Receive("AT+CSQ\r");  // sent while the module is down: lost
  rig.clock.Advance(2000 - rig.latency - 1);
  EXPECT_EQ(rig.Take(), "");
  EXPECT_FALSE(rig.model.ProgramRunning());
  rig.clock.Advance(1);
  EXPECT_EQ(rig.Take(), "\r\n+CREG: 0,1\r\n\r\n#CBC: 0,412\r\n");
  EXPECT_TRUE(rig.model.ProgramRunning());
  EXPECT_TRUE(rig.model.Echo());
  EXPECT_EQ(rig.Exchange("AT\r"), "AT\r" + kOk);
  EXPECT_EQ(rig.model.CommandLog(), (std::vector<std::string>{"ATE0", "AT#REBOOT", "AT"}));
}

TEST(DeviceModel, DtrOnStopsTheProgramAndSaysStopOnceAfterTheDelay) {
  DeviceConfig cfg = QuietConfig();
  cfg.stopDelayMs = 300;
  cfg.bootDelayMs = 1000;
  Rig rig(cfg);
  EXPECT_TRUE(rig.model.ProgramRunning());
  rig.model.SetDTR(false);
  rig.clock.Advance(1000);
  EXPECT_EQ(rig.Take(), "");

  rig.model.SetDTR(true);
  EXPECT_FALSE(rig.model.ProgramRunning());
  rig.clock.Advance(299);
  EXPECT_EQ(rig.Take(), "");
  rig.model.SetDTR(true);
  rig.model.StopProgram();
  rig.model.SetDTR(false);
  rig.clock.Advance(2000);
  EXPECT_EQ(rig.Take(), "\r\nSTOP\r\n");
  EXPECT_FALSE(rig.model.ProgramRunning());

  // After a reboot the program runs again and can be stopped again.
  rig.Exchange("AT#REBOOT\r");
  rig.clock.Advance(1000);
  rig.Take();
  rig.model.StopProgram();
  rig.clock.Advance(300);
  EXPECT_EQ(rig.Take(), "\r\nSTOP\r\n");
}

TEST(DeviceModel, RunningProgramReportsStatusPeriodicallyUntilStopped) {
  DeviceConfig cfg = QuietConfig();
  cfg.statusIntervalMs = 10000;
  Rig rig(cfg);
  rig.clock.Advance(9999);
  EXPECT_EQ(rig.Take(), "");
  rig.clock.Advance(1);
  EXPECT_EQ(rig.Take(), "\r\n#SMSATWL: 0\r\n");
  rig.clock.Advance(20000);
  EXPECT_EQ(rig.Take(), "\r\n+CREG: 0,1\r\n\r\n#SMSATWL: 0\r\n");
  rig.model.StopProgram();
  rig.clock.Advance(100000);
  EXPECT_EQ(rig.Take(), "\r\nSTOP\r\n");
}

TEST(DeviceModel, ScriptUploadStoresRawBytesExactly) {
  Rig rig;
  std::string script;
  for (int i = 0; i < 256; ++i) script += static_cast<char>(i);
  script += std::string("\r\n\r\n\0\0\r\r\n\n", 10) + "AT\r";  // looks like commands, is data
  const std::string command = "AT#WSCRIPT=\"kel.py\"," + std::to_string(script.size()) + "\r";
  EXPECT_EQ(rig.Exchange(command), command + "\r\n>>> ");

  // Odd chunks; the last one carries the start of the next command.
  const std::string stream = script + "AT+CSQ\r";
  std::size_t pos = 0;
  for (std::size_t size = 1; pos < stream.size(); size = size * 2 + 1) {
    rig.model.Receive(stream.substr(pos, size));
    pos += size;
  }
  rig.clock.Advance(rig.latency);
  EXPECT_EQ(rig.Take(), kOk + "AT+CSQ\r" + OkReply("+CSQ: 17,0"));
  ASSERT_EQ(rig.model.Scripts().count("kel.py"), 1u);
  EXPECT_EQ(rig.model.Scripts().at("kel.py"), script);
  EXPECT_EQ(rig.model.CommandLog().back(), "AT+CSQ");
  EXPECT_EQ(rig.model.CommandLog().size(), 2u);

  // An unquoted name is kept exactly as given.
  EXPECT_EQ(rig.Exchange("at#wscript=Kel Main.py,3\r"), "at#wscript=Kel Main.py,3\r\r\n>>> ");
  EXPECT_EQ(rig.Exchange("x\ry"), kOk);
  EXPECT_EQ(rig.model.Scripts().at("Kel Main.py"), "x\ry");
}

TEST(DeviceModel, PendingCallbacksAreHarmlessAfterTheModelIsGone) {
  VirtualClock clock;
  std::string output;
  {
    DeviceModel model(DeviceConfig{}, [&](int d, std::function<void()> fn) { clock.Schedule(d, std::move(fn)); },
                      [&](const std::string& bytes) { output += bytes; });
    model.Receive("AT#REBOOT\r");
  }
  clock.Advance(60000);
  EXPECT_EQ(output, "");
}

TEST(SimDefaultConfiguration, FillsConsecutiveSlotsWithTheControllerEntries) {
  const DeviceConfig cfg = kel::DefaultConfiguration();
  std::map<std::string, std::string> byName;
  int expectedSlot = 1;
  for (const auto& [slot, entry] : cfg.sim) {
    EXPECT_EQ(slot, expectedSlot++);
    EXPECT_LE(entry.name.size(), 16u);
    EXPECT_LE(entry.number.size(), 40u);
    byName[entry.name] = entry.number;
  }
  EXPECT_EQ(byName["PARKEL"], "4#4#0#0#1#7#2#0");
  EXPECT_EQ(byName["PARRL1"], "5#1#03#1");
  EXPECT_EQ(byName["PARRL2"], "6#1#03#1");
  EXPECT_EQ(byName["VER"], cfg.version);
  for (const char* name : {"ADMIN1", "ABUTTON1", "ALARMON", "ALARMOFF"}) {
    EXPECT_FALSE(byName[name].empty()) << name;
  }
  EXPECT_GT(cfg.sim.size(), byName.count("ADMIN1") + 11u);  // user entries as well
}

class SimConfigFile : public ::testing::Test {
 protected:
  void TearDown() override { std::filesystem::remove(path_); }
  std::string Write(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return path_.string();
  }
  std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                ("kel_config_test_" + std::to_string(::getpid()) + ".txt");
};

TEST_F(SimConfigFile, MapsKeysToSimEntriesInFileOrderWithAnyLineEnding) {
  const std::vector<std::string> lines = {
      "ADMIN1=+420603111222", "ABUTTON2=+420731777888", "BBUTTON1=", "PARAMKEL=4#4#0#0#1#7#2#0",
      "PARAMRL1=5#1#03#1",    "PARAMRL2=6#1#03#1",      "ALARMOFF=4321", "Novak Jan=602100200",
      "",                     "Odd=name=123",
  };
  const std::vector<SimEntry> expected = {
      {"+420603111222", "ADMIN1"}, {"+420731777888", "ABUTTON2"}, {"4#4#0#0#1#7#2#0", "PARKEL"},
      {"5#1#03#1", "PARRL1"},      {"6#1#03#1", "PARRL2"},        {"4321", "ALARMOFF"},
      {"602100200", "Novak Jan"},  {"name=123", "Odd"},
  };
  for (const std::string separator : {"\r\n", "\r", "\n"}) {
    std::string content;
    for (const auto& line : lines) content += line + separator;
    DeviceConfig base;
    base.operatorName = "Vodafone CZ";
    base.sim[100] = {"1", "replaced"};
    const DeviceConfig cfg = kel::LoadConfigurationFile(Write(content), base);
    EXPECT_EQ(cfg.operatorName, "Vodafone CZ");
    ASSERT_EQ(cfg.sim.size(), expected.size()) << testing::PrintToString(separator);
    int slot = 1;
    for (const auto& entry : expected) {
      EXPECT_EQ(cfg.sim.at(slot).name, entry.name);
      EXPECT_EQ(cfg.sim.at(slot).number, entry.number);
      ++slot;
    }
  }
}

TEST_F(SimConfigFile, ReportsUnreadableAndOversizedFiles) {
  const std::string missing = (std::filesystem::temp_directory_path() / "no_such_kel_config.txt").string();
  try {
    kel::LoadConfigurationFile(missing);
    FAIL() << "expected an exception";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("No such file"), std::string::npos) << e.what();
  }
  DeviceConfig small;
  small.simCapacity = 2;
  EXPECT_THROW(kel::LoadConfigurationFile(Write("A=1\nB=2\nC=3\n"), small), std::runtime_error);
}

}  // namespace
