// kel-sim: serves the KEL device model on a pseudo-terminal so the PC program
// can be run against it without hardware.  The slave path is printed as the
// first line on stdout; open it like a serial port.

#include "DeviceModel.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <iostream>
#include <optional>
#include <poll.h>
#include <queue>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kExitUsage = 2;
// Output nobody reads is dropped beyond this, as a UART without a listener would.
constexpr std::size_t kMaxPendingOutput = 256 * 1024;

const char* const kUsage =
    "Usage: kel-sim [options]\n"
    "Simulates a KEL door controller (GSM module with SIM) on a pseudo-terminal.\n"
    "Prints the terminal path (e.g. /dev/pts/5) as the first line on stdout, then\n"
    "serves AT commands on it until SIGINT or SIGTERM.\n"
    "\n"
    "A pseudo-terminal has no DTR line: send SIGUSR1 to stop the device program\n"
    "the way DTR going on does (the device answers \"STOP\" after the stop delay):\n"
    "  kill -USR1 <pid of kel-sim>\n"
    "\n"
    "Options:\n"
    "  --capacity N          SIM phone-book size (default 250)\n"
    "  --config FILE         fill the SIM from a PC configuration file (KEY=value lines)\n"
    "  --empty               start with an empty SIM\n"
    "  --operator TEXT       network operator in the +COPS reply (default \"T-Mobile CZ\")\n"
    "  --signal N            +CSQ signal value (default 17)\n"
    "  --voltage N           supply voltage in tens of mV for #CBC (default 385)\n"
    "  --version TEXT        firmware version stored as SIM entry VER (default 2.0)\n"
    "  --latency MS          delay before each reply (default 5)\n"
    "  --boot-delay MS       AT#REBOOT until the boot messages (default 3000)\n"
    "  --stop-delay MS       stop request until \"STOP\" (default 300)\n"
    "  --status-interval MS  status lines while the program runs, 0 = none (default 10000)\n"
    "  --verbose             log received command lines on stderr\n"
    "  --help                show this help\n"
    "Without --config or --empty the SIM holds a realistic default configuration.\n";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Options {
  std::optional<int> capacity;
  std::optional<std::string> configFile;
  bool empty = false;
  std::optional<std::string> operatorName;
  std::optional<int> signal;
  std::optional<int> voltage;
  std::optional<std::string> version;
  std::optional<int> latency;
  std::optional<int> bootDelay;
  std::optional<int> stopDelay;
  std::optional<int> statusInterval;
  bool verbose = false;
  bool help = false;
};

int ParseInt(const std::string& option, const std::string& text, int min, int max) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < min ||
      value > max) {
    throw UsageError(option + " expects a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", got '" + text + "'");
  }
  return value;
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  constexpr int kMaxDelay = 24 * 3600 * 1000;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    std::optional<std::string> inlineValue;
    if (const auto eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = option.substr(eq + 1);
      option.resize(eq);
    }
    auto value = [&]() -> std::string {
      if (inlineValue) return *std::exchange(inlineValue, std::nullopt);
      if (i + 1 >= argc) throw UsageError(option + " needs a value");
      return argv[++i];
    };
    if (option == "--help" || option == "-h") {
      options.help = true;
    } else if (option == "--empty") {
      options.empty = true;
    } else if (option == "--verbose") {
      options.verbose = true;
    } else if (option == "--capacity") {
      options.capacity = ParseInt(option, value(), 1, 10000);
    } else if (option == "--config") {
      options.configFile = value();
    } else if (option == "--operator") {
      options.operatorName = value();
    } else if (option == "--signal") {
      options.signal = ParseInt(option, value(), 0, 99);
    } else if (option == "--voltage") {
      options.voltage = ParseInt(option, value(), 0, 100000);
    } else if (option == "--version") {
      options.version = value();
    } else if (option == "--latency") {
      options.latency = ParseInt(option, value(), 0, kMaxDelay);
    } else if (option == "--boot-delay") {
      options.bootDelay = ParseInt(option, value(), 0, kMaxDelay);
    } else if (option == "--stop-delay") {
      options.stopDelay = ParseInt(option, value(), 0, kMaxDelay);
    } else if (option == "--status-interval") {
      options.statusInterval = ParseInt(option, value(), 0, kMaxDelay);
    } else {
      throw UsageError("unknown option '" + option + "'");
    }
    if (inlineValue) throw UsageError(option + " takes no value");
  }
  if (options.empty && options.configFile) {
    throw UsageError("--empty and --config cannot be combined");
  }
  return options;
}

kel::DeviceConfig BuildConfig(const Options& options) {
  kel::DeviceConfig cfg;
  if (options.version) cfg.version = *options.version;
  if (options.capacity) cfg.simCapacity = *options.capacity;

  if (options.configFile) {
    try {
      cfg = kel::LoadConfigurationFile(*options.configFile, cfg);
    } catch (const std::runtime_error& e) {
      throw UsageError(e.what());
    }
  } else if (!options.empty) {
    const std::string version = cfg.version;
    const int capacity = cfg.simCapacity;
    cfg = kel::DefaultConfiguration();
    cfg.version = version;
    cfg.simCapacity = capacity;
    cfg.sim.erase(cfg.sim.upper_bound(capacity), cfg.sim.end());
  }
  if (!options.empty) {
    // The controller firmware keeps its version in the SIM entry VER.
    auto ver = std::find_if(cfg.sim.begin(), cfg.sim.end(),
                            [](const auto& slot) { return slot.second.name == "VER"; });
    if (ver != cfg.sim.end()) {
      ver->second.number = cfg.version;
    } else {
      const int slot = cfg.sim.empty() ? 1 : cfg.sim.rbegin()->first + 1;
      if (slot <= cfg.simCapacity) cfg.sim[slot] = {cfg.version, "VER"};
    }
  }

  if (options.operatorName) cfg.operatorName = *options.operatorName;
  if (options.signal) cfg.signal = *options.signal;
  if (options.voltage) cfg.voltage = *options.voltage;
  if (options.latency) cfg.replyLatencyMs = *options.latency;
  if (options.bootDelay) cfg.bootDelayMs = *options.bootDelay;
  if (options.stopDelay) cfg.stopDelayMs = *options.stopDelay;
  if (options.statusInterval) cfg.statusIntervalMs = *options.statusInterval;
  return cfg;
}

// Signals are turned into bytes on a pipe so the poll loop handles them.
int g_signalPipe[2] = {-1, -1};

extern "C" void OnSignal(int signo) {
  const int savedErrno = errno;
  const unsigned char byte = static_cast<unsigned char>(signo);
  [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
  errno = savedErrno;
}

[[noreturn]] void Fail(const std::string& what) {
  std::cerr << "kel-sim: " << what << ": " << std::strerror(errno) << "\n";
  std::exit(1);
}

void SetNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) < 0) Fail("fcntl");
}

using Clock = std::chrono::steady_clock;

// Callbacks due at a point in time; equal times run in scheduling order.
class TimerQueue {
 public:
  void Add(int delayMs, std::function<void()> fn) {
    queue_.push(Timer{Clock::now() + std::chrono::milliseconds(delayMs), seq_++, std::move(fn)});
  }
  void RunDue() {
    const auto now = Clock::now();
    while (!queue_.empty() && queue_.top().due <= now) {
      Timer timer = queue_.top();
      queue_.pop();
      timer.fn();
    }
  }
  // Milliseconds poll() may sleep, -1 when nothing is scheduled.
  int PollTimeout() const {
    if (queue_.empty()) return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(queue_.top().due - Clock::now());
    return static_cast<int>(std::clamp<long long>(wait.count(), 0, 60000));
  }

 private:
  struct Timer {
    Clock::time_point due;
    unsigned long long seq;
    std::function<void()> fn;
  };
  struct Later {
    bool operator()(const Timer& a, const Timer& b) const {
      return a.due != b.due ? a.due > b.due : a.seq > b.seq;
    }
  };
  std::priority_queue<Timer, std::vector<Timer>, Later> queue_;
  unsigned long long seq_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Options options;
  kel::DeviceConfig cfg;
  try {
    options = ParseOptions(argc, argv);
    if (options.help) {
      std::cout << kUsage;
      return 0;
    }
    cfg = BuildConfig(options);
  } catch (const UsageError& e) {
    std::cerr << "kel-sim: " << e.what() << "\nTry 'kel-sim --help'.\n";
    return kExitUsage;
  }

  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) Fail("posix_openpt");
  if (grantpt(master) != 0) Fail("grantpt");
  if (unlockpt(master) != 0) Fail("unlockpt");
  const char* slaveName = ptsname(master);
  if (slaveName == nullptr) Fail("ptsname");
  const std::string slavePath = slaveName;

  // Holding the slave open keeps the master from reporting POLLHUP while the
  // PC program has the port closed, and keeps the raw settings in place.
  const int slave = open(slavePath.c_str(), O_RDWR | O_NOCTTY);
  if (slave < 0) Fail("open " + slavePath);
  termios tio{};
  if (tcgetattr(slave, &tio) != 0) Fail("tcgetattr");
  cfmakeraw(&tio);
  cfsetispeed(&tio, B115200);
  cfsetospeed(&tio, B115200);
  if (tcsetattr(slave, TCSANOW, &tio) != 0) Fail("tcsetattr");
  SetNonBlocking(master);

  if (pipe(g_signalPipe) != 0) Fail("pipe");
  SetNonBlocking(g_signalPipe[0]);
  SetNonBlocking(g_signalPipe[1]);
  struct sigaction action{};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signo : {SIGINT, SIGTERM, SIGUSR1}) sigaction(signo, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  TimerQueue timers;
  std::string pending;  // device output the pty did not take yet
  auto flush = [&] {
    while (!pending.empty()) {
      const ssize_t n = write(master, pending.data(), pending.size());
      if (n > 0) {
        pending.erase(0, static_cast<std::size_t>(n));
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else {
        break;  // EAGAIN: the terminal buffer is full, wait for POLLOUT
      }
    }
  };

  kel::DeviceModel model(
      cfg, [&](int delayMs, std::function<void()> fn) { timers.Add(delayMs, std::move(fn)); },
      [&](const std::string& bytes) {
        if (pending.size() + bytes.size() > kMaxPendingOutput) return;
        pending += bytes;
        flush();
      });

  std::cout << slavePath << std::endl;  // first line: the port to open
  std::cerr << "kel-sim: serving on " << slavePath << " (pid " << getpid() << ", SIM "
            << cfg.sim.size() << "/" << cfg.simCapacity << " entries)\n";

  std::size_t loggedCommands = 0;
  bool running = true;
  while (running) {
    pollfd fds[2] = {
        {master, static_cast<short>(POLLIN | (pending.empty() ? 0 : POLLOUT)), 0},
        {g_signalPipe[0], POLLIN, 0},
    };
    const int ready = poll(fds, 2, timers.PollTimeout());
    if (ready < 0 && errno != EINTR) Fail("poll");

    if (ready > 0 && (fds[1].revents & POLLIN)) {
      unsigned char signo = 0;
      while (read(g_signalPipe[0], &signo, 1) == 1) {
        if (signo == SIGUSR1) {
          if (options.verbose) std::cerr << "kel-sim: SIGUSR1, stopping the device program\n";
          model.StopProgram();
        } else {
          running = false;
        }
      }
    }
    if (ready > 0 && (fds[0].revents & POLLIN)) {
      char buffer[4096];
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n > 0) model.Receive(std::string(buffer, static_cast<std::size_t>(n)));
    }
    if (ready > 0 && (fds[0].revents & POLLOUT)) flush();
    if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLIN)) {
      // Cannot happen while we hold the slave; never spin if it does.
      usleep(100 * 1000);
    }
    timers.RunDue();

    if (options.verbose) {
      const auto log = model.CommandLog();
      for (; loggedCommands < log.size(); ++loggedCommands) {
        std::cerr << "kel-sim: <- " << log[loggedCommands] << "\n";
      }
    }
  }

  std::cerr << "kel-sim: stopped\n";
  close(slave);
  close(master);
  return 0;
}
