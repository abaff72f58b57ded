// Settings and UI-text file: read at start-up, written at close.
#include "app/TForm1.h"

void TForm1::ReadSettings() {
  // Window position defaults; the file itself is read once the settings file support lands.
  move(200, 200);
  SetServiceButtonsVisible(false);
}

void TForm1::WriteSettings() {}
