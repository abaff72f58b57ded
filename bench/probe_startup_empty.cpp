// Start-up probe for comparison: an empty 613 x 503 window, shown the same way as the main
// window's probe, exiting at its first paint.
#include <QApplication>
#include <QWidget>
#include <cstdlib>

#include "FirstPaint.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(613, 503);
  QuitOnFirstPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return app.exec();
}
