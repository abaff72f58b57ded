#include "connection/ScriptedPort.h"

#include "ui/Runtime.h"
#include "ui/Text.h"

namespace connection {

void ScriptedPort::PutString(const std::string& s) {
  if (!failSendWith.empty()) throw ui::Exception(failSendWith);
  sent += s;
  sends.push_back(s);
  sendTimes.push_back(ui::clock().NowMs());
  if (onSend) onSend(s);
}

void ScriptedPort::SetDTR(bool on) {
  dtr_ = on;
  dtrChanges.push_back(on);
  if (onDTR) onDTR(on);
}

unsigned char ScriptedPort::GetChar() {
  if (input_.empty()) return 0;
  const unsigned char c = input_.front();
  input_.pop_front();
  return c;
}

void ScriptedPort::Feed(const std::string& bytes) {
  for (char c : bytes) input_.push_back(static_cast<unsigned char>(c));
  if (!bytes.empty()) NotifyAvailable();
}

}  // namespace connection
