// The response dispatcher: which branch takes a received line, what the status indicators
// show, what is sent next and how long the program pauses before it.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "support/FormHarness.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kAqua(0, 255, 255);
const QColor kLime(0, 255, 0);

struct DispatchCase {
  const char* name;
  std::string line;  // received, without its CR
  std::function<void(TForm1&)> setup;
  // What is sent: milliseconds after the line arrived, and the command without CR LF.
  std::vector<std::pair<long long, std::string>> sends;
  long long pauseMs;  // how long the line held the program
  std::function<void(TForm1&)> check;
};

void UploadAndWrite(TForm1& f) {
  f.V.uploadInProgress = true;
  f.V.queryOperatorAfterStop = true;
  f.V.writeInProgress = true;
}

void WaitingIndicatorRuns(TForm1& f) {
  f.Prubeh.SetVisible(true);
  f.Cekani.SetEnabled(true);
}

// The indicators still show what start-up put there.
void IndicatorsUntouched(TForm1& f) {
  EXPECT_EQ(f.StatusBar1.PanelText(0), " Operator:");
  EXPECT_EQ(f.StatusBar1.PanelText(1), " board voltage:");
  EXPECT_EQ(f.StatusBar1.PanelText(2), " SIM:");
  EXPECT_EQ(f.BVoltage.Position(), 300);
  EXPECT_EQ(f.Voltage.Caption(), "Voltage");
  EXPECT_EQ(f.Smeter.Progress(), 0);
  EXPECT_EQ(f.V.simCapacity, 0);
}

std::function<void(TForm1&)> Signal(int bar, QColor colour) {
  return [bar, colour](TForm1& f) {
    EXPECT_EQ(f.Smeter.Progress(), bar);
    EXPECT_EQ(f.Smeter.ForeColor(), colour);
    EXPECT_EQ(f.StatusBar1.PanelText(0), " Operator:");
  };
}

std::function<void(TForm1&)> OperatorShows(const std::string& panel) {
  return [panel](TForm1& f) { EXPECT_EQ(f.StatusBar1.PanelText(0), panel); };
}

std::function<void(TForm1&)> SimSize(int capacity, const std::string& panel) {
  return [capacity, panel](TForm1& f) {
    EXPECT_EQ(f.V.simCapacity, capacity);
    EXPECT_EQ(f.StatusBar1.PanelText(2), panel);
    // Never taken as a phone-book entry.
    EXPECT_TRUE(f.V.firstPhoneBookEntry);
    EXPECT_EQ(f.PhoneBook1.RowCount(), 0);
  };
}

const DispatchCase kCases[] = {
    {"OK, no chain running", "OK", nullptr, {}, 0,
     [](TForm1& f) {
       EXPECT_FALSE(f.V.uploadInProgress);
       EXPECT_FALSE(f.V.queryOperatorAfterStop);
       EXPECT_FALSE(f.V.writeInProgress);
       IndicatorsUntouched(f);
     }},
    {"OK followed by a blank is no OK", "OK ", UploadAndWrite, {}, 0,
     [](TForm1& f) {
       EXPECT_TRUE(f.V.uploadInProgress);
       EXPECT_TRUE(f.V.queryOperatorAfterStop);
       EXPECT_TRUE(f.V.writeInProgress);
     }},
    {"lower-case ok is no OK", "ok", UploadAndWrite, {}, 0,
     [](TForm1& f) { EXPECT_TRUE(f.V.uploadInProgress); }},
    {"OK goes to the upload first", "OK", UploadAndWrite, {}, 0,
     [](TForm1& f) {
       // The upload step took it (its list is empty, so it ended); the others did not.
       EXPECT_FALSE(f.V.uploadInProgress);
       EXPECT_EQ(f.V.uploadIndex, 1);
       EXPECT_TRUE(f.V.queryOperatorAfterStop);
       EXPECT_TRUE(f.V.writeInProgress);
     }},
    {"OK goes to the operator query before a write",
     "OK",
     [](TForm1& f) {
       f.V.queryOperatorAfterStop = true;
       f.V.writeInProgress = true;
     },
     {{200, "AT+COPS?"}},
     200,
     [](TForm1& f) {
       EXPECT_FALSE(f.V.queryOperatorAfterStop);
       EXPECT_TRUE(f.V.writeInProgress);
     }},
    {"STOP", "STOP", WaitingIndicatorRuns, {{1000, "ATE0"}}, 1000,
     [](TForm1& f) {
       EXPECT_FALSE(f.Cekani.Enabled());
       EXPECT_FALSE(f.Prubeh.Visible());
       EXPECT_TRUE(f.SaveKEL.Enabled());
       EXPECT_TRUE(f.V.queryOperatorAfterStop);
     }},
    {"STOP with a trailing blank is nothing", "STOP ", WaitingIndicatorRuns, {}, 0,
     [](TForm1& f) {
       EXPECT_TRUE(f.Cekani.Enabled());
       EXPECT_FALSE(f.SaveKEL.Enabled());
       EXPECT_FALSE(f.V.queryOperatorAfterStop);
     }},
    {"registered", "+CREG: 0,1", nullptr, {}, 200, IndicatorsUntouched},
    {"registered, roaming", "+CREG: 0,5", nullptr, {}, 200, IndicatorsUntouched},
    {"searching: no pause", "+CREG: 0,2", nullptr, {}, 0, IndicatorsUntouched},
    {"registration with more behind it: no pause", "+CREG: 0,1 ", nullptr, {}, 0, IndicatorsUntouched},
    {"board voltage", "#CBC: 0,385", WaitingIndicatorRuns, {}, 0,
     [](TForm1& f) {
       EXPECT_FALSE(f.Cekani.Enabled());
       EXPECT_FALSE(f.Prubeh.Visible());
       ASSERT_GE(f.Monitor.Count(), 2);
       EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 2), "#CBC: 0,385");
       EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 1), "385");
       EXPECT_EQ(f.StatusBar1.PanelText(1), " board voltage: 3850 mV");
       EXPECT_EQ(f.BVoltage.Position(), 385);
       EXPECT_EQ(f.Voltage.Caption(), "3850 mV");
     }},
    {"board voltage above the bar", "#CBC: 0,455", nullptr, {}, 0,
     [](TForm1& f) {
       EXPECT_EQ(f.BVoltage.Position(), 420);
       EXPECT_EQ(f.Voltage.Caption(), "4550 mV");
     }},
    {"voltage and signal in one line: voltage only", "#CBC:+CSQ: 0,390", nullptr, {}, 0,
     [](TForm1& f) {
       EXPECT_EQ(f.BVoltage.Position(), 390);
       EXPECT_EQ(f.Smeter.Progress(), 0);
     }},
    {"signal and operator in one line: signal only", "+CSQ: 17,0 +COPS: 0,0,\"AMENA\"", nullptr, {}, 0,
     Signal(17, kAqua)},
    {"signal 14", "+CSQ: 14,0", nullptr, {}, 0, Signal(14, kRed)},
    {"signal 15", "+CSQ: 15,0", nullptr, {}, 0, Signal(15, kAqua)},
    {"signal 17", "+CSQ: 17,0", nullptr, {}, 0, Signal(17, kAqua)},
    {"signal 21", "+CSQ: 21,0", nullptr, {}, 0, Signal(21, kAqua)},
    {"signal 22", "+CSQ: 22,0", nullptr, {}, 0, Signal(22, kLime)},
    {"signal 31", "+CSQ: 31,0", nullptr, {}, 0, Signal(31, kLime)},
    {"signal 32: red, bar full", "+CSQ: 32,0", nullptr, {}, 0, Signal(31, kRed)},
    {"signal unknown", "+CSQ: 99,99", nullptr, {}, 0, Signal(31, kRed)},
    {"SIM size 250", "+CPBR: (1-250),40,16", nullptr, {{100, "AT+CPBR=1,250"}}, 100,
     SimSize(250, " SIM: 250")},
    {"SIM size 10: no entries requested", "+CPBR: (1-10),40,16", nullptr, {}, 0, SimSize(10, " SIM: 10")},
    {"SIM size 11", "+CPBR: (1-11),40,16", nullptr, {{100, "AT+CPBR=1,11"}}, 100, SimSize(11, " SIM: 11")},
    {"operator AMENA", "+COPS: 0,0,\"AMENA\"", nullptr, {{200, "AT+CPBR=?"}}, 200,
     OperatorShows("Operator: ORANGE")},
    {"operator 21403", "+COPS: 0,2,\"21403\"", nullptr, {{200, "AT+CPBR=?"}}, 200,
     OperatorShows("Operator: ORANGE")},
    {"operator with its quotes", "+COPS: 0,0,\"T-Mobile CZ\"", nullptr, {{200, "AT+CPBR=?"}}, 200,
     OperatorShows("Operator: \"T-Mobile CZ\"")},
    {"operator without quotes: the line's first 20", "+COPS: 0,0,T-Mobile Czech", nullptr,
     {{200, "AT+CPBR=?"}}, 200, OperatorShows("Operator: +COPS: 0,0,T-Mobile ")},
    {"operator of 19 characters loses its closing quote", "+COPS: 0,0,\"ABCDEFGHIJKLMNOPQRS\"", nullptr,
     {{200, "AT+CPBR=?"}}, 200, OperatorShows("Operator: \"ABCDEFGHIJKLMNOPQRS")},
    {"longer operator loses its end", "+COPS: 0,0,\"ABCDEFGHIJKLMNOPQRSTUVWXY\"", nullptr,
     {{200, "AT+CPBR=?"}}, 200, OperatorShows("Operator: \"ABCDEFGHIJKLMNOPQRS")},
    {"empty line", "", UploadAndWrite, {}, 0,
     [](TForm1& f) {
       EXPECT_TRUE(f.V.uploadInProgress);
       IndicatorsUntouched(f);
     }},
    {"an error reply only stands in the monitor", "ERROR", nullptr, {}, 0,
     [](TForm1& f) {
       EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 1), "ERROR");
       IndicatorsUntouched(f);
     }},
};

TEST(Dispatcher, RoutesEachLineByTheFirstMatchingTest) {
  for (const DispatchCase& c : kCases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    if (c.setup) c.setup(f);
    const std::size_t sentBefore = h.port.sends.size();
    const long long t0 = h.clock.NowMs();

    h.port.Feed(c.line + "\r");  // runs at once: the clock moves only by the program's pauses

    EXPECT_EQ(h.clock.NowMs() - t0, c.pauseMs);
    std::vector<std::pair<long long, std::string>> sent;
    for (std::size_t i = sentBefore; i < h.port.sends.size(); ++i)
      sent.emplace_back(h.port.sendTimes[i] - t0, h.port.sends[i]);
    std::vector<std::pair<long long, std::string>> expected;
    for (const auto& [ms, text] : c.sends) expected.emplace_back(ms, text + "\r\n");
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(h.dialogs.errors.empty());
    // The receive loop has cleared the (cut) line.
    EXPECT_EQ(f.V.receiveLineBuffer, "");
    if (c.check) c.check(f);
  }
}

TEST(Dispatcher, ConversionErrorIsReportedAndTheNextLineArrivesIntact) {
  struct ErrorCase {
    const char* name;
    std::string line;
    std::string error;
    std::function<void(TForm1&)> doneBefore;  // what the branch did before the conversion
  };
  const ErrorCase cases[] = {
      {"voltage with a trailing blank", "#CBC: 0,385 ", "'385 ' is not a valid integer value.",
       [](TForm1& f) {
         EXPECT_FALSE(f.Cekani.Enabled());
         EXPECT_FALSE(f.Prubeh.Visible());
         EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 2), "385 ");
         EXPECT_EQ(f.StatusBar1.PanelText(1), " board voltage: 385 0 mV");
         EXPECT_EQ(f.BVoltage.Position(), 300);
         EXPECT_EQ(f.Voltage.Caption(), "Voltage");
       }},
      {"voltage without a comma", "#CBC: 385", "'#CBC: 385' is not a valid integer value.", nullptr},
      {"signal without a comma", "+CSQ: 17", "'' is not a valid integer value.",
       [](TForm1& f) { EXPECT_EQ(f.StatusBar1.PanelText(1), " board voltage:"); }},
      {"SIM size without a bracket", "+CPBR: (1-250", "'' is not a valid integer value.",
       [](TForm1& f) {
         EXPECT_EQ(f.V.simCapacity, 0);
         EXPECT_EQ(f.StatusBar1.PanelText(2), " SIM:");
       }},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    WaitingIndicatorRuns(f);
    const std::size_t sentBefore = h.port.sends.size();
    h.port.Feed(c.line + "\r+CSQ: 22,0\r");
    EXPECT_EQ(h.dialogs.errors, std::vector<std::string>{c.error});
    EXPECT_EQ(h.port.sends.size(), sentBefore);
    if (c.doneBefore) c.doneBefore(f);
    // The next line is dispatched as itself.
    EXPECT_EQ(f.Monitor.Line(f.Monitor.Count() - 1), "+CSQ: 22,0");
    EXPECT_EQ(f.Smeter.Progress(), 22);
    EXPECT_EQ(f.Smeter.ForeColor(), kLime);
    EXPECT_EQ(f.V.receiveLineBuffer, "");
  }
}

// A line that arrives in pieces is dispatched once, as a whole.
TEST(Dispatcher, LineSplitOverBatchesIsDispatchedOnce) {
  FormHarness h;
  const std::size_t sentBefore = h.port.sends.size();
  h.port.Feed("+COPS: 0,0,\"AM");
  h.port.Feed("ENA\"");
  EXPECT_EQ(h.port.sends.size(), sentBefore);
  h.port.Feed("\r\n");
  EXPECT_EQ(h.f().StatusBar1.PanelText(0), "Operator: ORANGE");
  EXPECT_EQ(std::vector<std::string>(h.port.sends.begin() + static_cast<long>(sentBefore), h.port.sends.end()),
            std::vector<std::string>{"AT+CPBR=?\r\n"});
}

}  // namespace
