#include "connection/DevicePort.h"

#include "ui/Runtime.h"
#include "ui/Text.h"

namespace connection {

namespace {
constexpr std::size_t kOutputLimit = 64000;
}

DevicePort::DevicePort(kel::DeviceConfig config) {
  std::weak_ptr<bool> alive = alive_;
  model_ = std::make_unique<kel::DeviceModel>(
      std::move(config),
      [alive](int delayMs, std::function<void()> fn) {
        ui::clock().CallLater(delayMs, [alive, fn = std::move(fn)] {
          if (alive.lock()) fn();
        });
      },
      [this, alive](const std::string& bytes) {
        if (!alive.lock()) return;
        for (char c : bytes) input_.push_back(static_cast<unsigned char>(c));
        if (!bytes.empty()) NotifyAvailable();
      });
}

DevicePort::~DevicePort() { alive_.reset(); }

void DevicePort::PutString(const std::string& s) {
  // The same output limit as the serial port, so the program behaves alike on both.
  if (s.size() > kOutputLimit) throw ui::Exception("Output buffer too small for block");
  sends.push_back(s);
  sendTimes.push_back(ui::clock().NowMs());
  model_->Receive(s);
}

void DevicePort::SetDTR(bool on) {
  dtr_ = on;
  model_->SetDTR(on);
}

unsigned char DevicePort::GetChar() {
  if (input_.empty()) return 0;
  const unsigned char c = input_.front();
  input_.pop_front();
  return c;
}

}  // namespace connection
