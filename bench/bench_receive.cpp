// Throughput of the whole receive path (line assembly, monitor, dispatch) for realistic device
// traffic, and the cost of appending one line to the monitor as it grows.
//
// The line rate of the serial link is 115200 baud 8N1: 11,520 bytes/s. The counter
// "x_line_rate" reports the measured rate as a multiple of it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <memory>

#include "app/TForm1.h"
#include "connection/ScriptedPort.h"
#include "ui/LogView.h"
#include "ui/Runtime.h"

namespace {

constexpr double kLineRate = 11520.0;

// A service session's traffic: echoed commands, replies, status lines, and the entry lines of
// reading a configuration. The entries carry the device's fixed names (buttons, administrators),
// as most of a real read does, so that repeating the traffic does not grow the phone book.
std::string Traffic() {
  std::string t;
  const char* names[] = {"ADMIN", "ABUTTON", "BBUTTON"};
  for (int i = 1; i <= 210; ++i) {
    const std::string name = std::string(names[i % 3]) + std::to_string(i % 7 + 1);
    t += "\r\n+CPBR: " + std::to_string(i) + ",\"+42060512" + std::to_string(1000 + i) + "\",145,\"" + name + "\"\r\n";
    if (i % 10 == 0) t += "\r\n+CSQ: 17,0\r\n\r\nOK\r\n";
    if (i % 25 == 0) t += "#SMSATWL: 0,\"+420605121234\"\r\n";
    if (i % 40 == 0) t += "AT+CSQ\r\r\nERROR\r\n+CREG: 0,2\r\n";
  }
  return t;
}

struct Session {
  ui::VirtualClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
  connection::ScriptedPort port;
  std::unique_ptr<TForm1> form;
  Session() { form = std::make_unique<TForm1>(port, "/nonexistent/VIRodo"); }
};

void BM_ReceivePath(benchmark::State& state) {
  Session s;
  const std::string traffic = Traffic();
  long long bytes = 0;
  for (auto _ : state) {
    s.port.Feed(traffic);
    bytes += static_cast<long long>(traffic.size());
  }
  state.SetBytesProcessed(bytes);
  state.counters["x_line_rate"] =
      benchmark::Counter(static_cast<double>(bytes) / kLineRate, benchmark::Counter::kIsRate);
  state.counters["monitor_lines"] = s.form->Monitor.Count();
}
BENCHMARK(BM_ReceivePath)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Appending one line to a monitor that already holds state.range(0) lines.
void BM_MonitorAppend(benchmark::State& state) {
  ui::VirtualClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
  QWidget parent;
  ui::TLogView monitor;
  monitor.Create(&parent, "Monitor", 0, 0, 481, 350);
  const std::string line = "+CPBR: 17,\"+420605121017\",145,\"Entry 17\"";
  for (long long i = 0; i < state.range(0); ++i) monitor.Add(line);
  for (auto _ : state) monitor.Add(line);
  state.counters["lines_at_end"] = monitor.Count();
}
BENCHMARK(BM_MonitorAppend)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond)->Iterations(20000);

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
