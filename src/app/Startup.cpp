#include "app/Startup.h"

#include <QApplication>
#include <cstdlib>

#include "app/TForm1.h"
#include "connection/PortFactory.h"
#include "ui/Text.h"

namespace virodo {

bool DisplayAvailable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

int RunProgram(QApplication& app) {
  auto port = connection::CreateProgramPort();
  TForm1 form(*port, ui::FromQString(QApplication::applicationFilePath()));
  form.show();
  const int rc = app.exec();
  return rc;
}

}  // namespace virodo
