#include "connection/PortFactory.h"

#include "connection/ScriptedPort.h"

namespace connection {

std::unique_ptr<TComPort> CreateProgramPort() {
  // Until the serial port lands, every send fails as a cancelled port choice does.
  auto port = std::make_unique<ScriptedPort>();
  port->failSendWith = "No serial port has been chosen.";
  return port;
}

}  // namespace connection
