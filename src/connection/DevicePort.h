// The built-in device: the KEL device model running in-process behind the port interface,
// on the program's clock. The program offers it in the port chooser; tests use it with the
// virtual clock.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "connection/ComPort.h"
#include "simulator/DeviceModel.h"

namespace connection {

class DevicePort : public TComPort {
 public:
  explicit DevicePort(kel::DeviceConfig config = kel::DefaultConfiguration());
  ~DevicePort() override;

  void PutString(const std::string& s) override;
  void SetDTR(bool on) override;
  bool DTR() const override { return dtr_; }
  int InBuffUsed() const override { return static_cast<int>(input_.size()); }
  unsigned char GetChar() override;
  std::string PortName() const override { return "built-in device"; }

  kel::DeviceModel& Model() { return *model_; }

  // What the program sent, for tests.
  std::vector<std::string> sends;
  std::vector<long long> sendTimes;

 private:
  std::unique_ptr<kel::DeviceModel> model_;
  std::deque<unsigned char> input_;
  bool dtr_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace connection
