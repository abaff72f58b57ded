#include "connection/PortFactory.h"

#include "connection/SerialPort.h"

namespace connection {

std::unique_ptr<TComPort> CreateProgramPort() { return std::make_unique<SerialPort>(); }

}  // namespace connection
