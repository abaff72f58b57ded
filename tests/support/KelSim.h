// One kel-sim process serving the device model on a fresh pseudo-terminal, for tests of the
// real serial code path. Its path comes from VIRODO_KEL_SIM (set by ctest).
#pragma once

#include <QProcess>
#include <QStringList>
#include <csignal>
#include <cstdlib>
#include <string>
#include <sys/prctl.h>

#include "ui/Runtime.h"

namespace testsupport {

constexpr int kKelSimWaitMs = 10000;  // an upper bound for a reply; never a timing assertion

// The program's clock in real time, with scripted dialogs.
struct RealServices {
  ui::RealClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
};

class KelSim {
 public:
  static const char* Program() { return std::getenv("VIRODO_KEL_SIM"); }

  ~KelSim() {
    if (proc_.state() == QProcess::NotRunning) return;
    proc_.terminate();
    if (!proc_.waitForFinished(3000)) Kill();
  }
  // Starts it (with extra options) and reads the terminal path; false when it does not come up.
  bool Start(QStringList options = {}) {
    // Should the test program crash, the simulator goes with it rather than live on holding
    // what it inherited (the terminal, the build's lock file).
    proc_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
    options << QStringLiteral("--status-interval") << QStringLiteral("0");
    proc_.start(QString::fromLocal8Bit(Program()), options);
    if (!proc_.waitForStarted(kKelSimWaitMs)) return false;
    while (!proc_.canReadLine()) {
      if (!proc_.waitForReadyRead(kKelSimWaitMs)) return false;
    }
    pty = QString::fromLocal8Bit(proc_.readLine()).trimmed().toStdString();
    return !pty.empty();
  }
  // The device vanishes at once, as an unplugged cable would take it.
  void Kill() {
    proc_.kill();
    proc_.waitForFinished(kKelSimWaitMs);
  }
  qint64 Pid() const { return proc_.processId(); }
  std::string pty;

 private:
  QProcess proc_;
};

}  // namespace testsupport
