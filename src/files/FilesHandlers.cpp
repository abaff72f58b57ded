// Hooks the PC file buttons to their handlers.
#include "app/TForm1.h"

void TForm1::ConnectFilesHandlers() {
  Save.OnClick = [this] { SaveClick(); };
  Load.OnClick = [this] { LoadClick(); };
}
