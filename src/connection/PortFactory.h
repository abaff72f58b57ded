// The port the program uses: the real serial port, which offers the built-in device in its
// chooser.
#pragma once

#include <memory>

#include "connection/ComPort.h"

namespace connection {

std::unique_ptr<TComPort> CreateProgramPort();

}  // namespace connection
