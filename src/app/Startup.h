// The program entry's work, kept out of main() so that it can be tested.
#pragma once

class QApplication;

namespace virodo {

// True when a display (X11 or Wayland) or an explicit Qt platform is available.
bool DisplayAvailable();

// Creates the port and the main window, shows it and runs the message loop.
int RunProgram(QApplication& app);

}  // namespace virodo
