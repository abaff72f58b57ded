#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "app/Startup.h"

int main(int argc, char** argv) {
  if (!virodo::DisplayAvailable()) {
    std::fprintf(stderr,
                 "VIRodo needs a graphical display, and none was found (DISPLAY and WAYLAND_DISPLAY "
                 "are not set).\nStart it from a desktop session, or without one through a virtual "
                 "display:\n  xvfb-run -a %s\n",
                 argc > 0 ? argv[0] : "virodo");
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("VIRodo"));
  QGuiApplication::setApplicationDisplayName(QString());
  return virodo::RunProgram(app);
}
