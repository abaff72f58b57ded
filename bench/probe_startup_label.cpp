// Start-up probe for context: a 613 x 503 window with one line of text. Any window that shows
// text pays for loading the font database once; this probe shows how much of the main
// window's start-up that is.
#include <QApplication>
#include <QLabel>
#include <cstdlib>

#include "FirstPaint.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QLabel window(QStringLiteral("VIRodo"));
  window.setFixedSize(613, 503);
  QuitOnFirstPaint quit;
  window.installEventFilter(&quit);
  window.show();
  return app.exec();
}
