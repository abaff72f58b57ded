// A port for tests and benchmarks: records what the program sends and injects what the
// device answers. Sends can be made to fail, as a cancelled chooser or a missing port would.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "connection/ComPort.h"

namespace connection {

class ScriptedPort : public TComPort {
 public:
  void PutString(const std::string& s) override;
  void SetDTR(bool on) override;
  bool DTR() const override { return dtr_; }
  int InBuffUsed() const override { return static_cast<int>(input_.size()); }
  unsigned char GetChar() override;
  std::string PortName() const override { return "scripted"; }

  // Bytes from the device: queued and announced through the event gate.
  void Feed(const std::string& bytes);

  std::string sent;                      // everything sent, in order
  std::vector<std::string> sends;        // one entry per PutString
  std::vector<long long> sendTimes;      // clock time of each PutString
  std::vector<bool> dtrChanges;
  std::string failSendWith;              // when not empty, PutString throws this message
  std::function<void(const std::string&)> onSend;  // e.g. a device model answering
  std::function<void(bool)> onDTR;

 private:
  std::deque<unsigned char> input_;
  bool dtr_ = false;
};

}  // namespace connection
