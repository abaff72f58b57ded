// Reading the configuration from the device.
#include "app/TForm1.h"

// One phone-book entry line ("+CPBR: ...") in V.receiveLineBuffer. Reading the device fills
// this in; until then entry lines only stand in the monitor.
void TForm1::EntryHandler() {}
