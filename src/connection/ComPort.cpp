#include "connection/ComPort.h"

#include <algorithm>

#include "ui/Runtime.h"

namespace connection {

TComPort::~TComPort() = default;

void TComPort::NotifyAvailable() {
  if (notifyPending_) return;  // one notification at a time; it reads what waits when it runs
  notifyPending_ = true;
  std::weak_ptr<bool> alive = alive_;
  ui::EventGate::Instance().Post([this, alive] {
    if (!alive.lock()) return;
    notifyPending_ = false;
    const int count = std::min(InBuffUsed(), 65535);
    if (count > 0 && OnTriggerAvail) OnTriggerAvail(count);
    if (InBuffUsed() > 0) NotifyAvailable();
  });
}

}  // namespace connection
