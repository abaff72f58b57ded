// Where the main window's start-up time goes, phase by phase, inside one process (offscreen,
// scripted port, virtual clock): the Qt application, building the window (split at the
// first use of the font database), showing it, up to and through its first paint, and the
// tear-down. Prints one line of milliseconds; bench/startup.sh averages several runs.
#include <QApplication>
#include <QFontDatabase>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/TForm1.h"
#include "connection/ScriptedPort.h"
#include "ui/Runtime.h"

namespace {
double Now() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// Notes the start of the first paint and leaves the event loop once that paint is done.
class PaintWatch : public QObject {
 public:
  double start = 0, end = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint && start == 0) {
      start = Now();
      QTimer::singleShot(0, [this] {
        end = Now();
        QCoreApplication::exit(0);
      });
    }
    return false;
  }
};
// With PAINT_DETAIL set in the environment: the time each widget's paint events took,
// slowest first, on stderr.
class TimedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  std::map<std::string, double> paintTimes;

  bool notify(QObject* receiver, QEvent* e) override {
    if (e->type() != QEvent::Paint) return QApplication::notify(receiver, e);
    const double start = Now();
    const bool done = QApplication::notify(receiver, e);
    paintTimes[std::string(receiver->metaObject()->className()) + " " + receiver->objectName().toStdString()] +=
        Now() - start;
    return done;
  }
};
}  // namespace

int main(int argc, char** argv) {
  const double t0 = Now();
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  double app = 0, fonts = 0, build = 0, show = 0, formGone = 0;
  PaintWatch paint;
  {
    TimedApplication application(argc, argv);
    app = Now();
    QFontDatabase::families();  // what the window's first caption would load
    fonts = Now();
    {
      ui::VirtualClock clock;
      ui::ScriptedDialogs dialogs;
      ui::RuntimeScope scope{&clock, &dialogs};
      connection::ScriptedPort port;
      TForm1 form(port, "/nonexistent/VIRodo");
      build = Now();
      form.installEventFilter(&paint);
      form.show();
      show = Now();
      QApplication::exec();
    }
    formGone = Now();
    if (std::getenv("PAINT_DETAIL")) {
      std::vector<std::pair<double, std::string>> slowest;
      for (const auto& [widget, ms] : application.paintTimes) slowest.emplace_back(ms, widget);
      std::sort(slowest.rbegin(), slowest.rend());
      for (const auto& [ms, widget] : slowest) std::fprintf(stderr, "%7.3f ms  %s\n", ms, widget.c_str());
    }
  }
  const double end = Now();
  std::printf("application %.2f  font-database %.2f  window %.2f  show %.2f  to-paint %.2f  paint %.2f  "
              "window-teardown %.2f  application-teardown %.2f  main %.2f\n",
              app - t0, fonts - app, build - fonts, show - build, paint.start - show, paint.end - paint.start,
              formGone - paint.end, end - formGone, end - t0);
  return 0;
}
