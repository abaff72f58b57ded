// Start-up probe: from exec to the first paint of the main window (offscreen, scripted port,
// no port chooser, virtual clock so the start-up's device pause is not counted), then exit.
#include <QApplication>
#include <cstdlib>

#include "FirstPaint.h"

#include "app/TForm1.h"
#include "connection/ScriptedPort.h"
#include "ui/Runtime.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ui::VirtualClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
  connection::ScriptedPort port;
  TForm1 form(port, "/nonexistent/VIRodo");
  QuitOnFirstPaint quit;
  form.installEventFilter(&quit);
  form.show();
  return app.exec();
}
