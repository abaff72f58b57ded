// The response dispatcher: routes each received line.
#include "app/TForm1.h"

void TForm1::DispatchLine() {
  // Lines are only logged until the dispatch table is in place.
}
