// Writing the configuration to the device.
#include "app/TForm1.h"

// An "OK" while a write is in progress: the next step of the write. Writing the device fills
// this in; until then the write sequence has no steps.
void TForm1::WriteOkStep() {}
