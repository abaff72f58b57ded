// The port to the device: an interface, so that the real serial port, the built-in device and
// the tests' scripted port all stand in the same place.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace connection {

class TComPort {
 public:
  virtual ~TComPort();

  // Queues all bytes of s for transmission at once, adding nothing. Opens the port first when
  // it is not open. Throws ui::Exception on failure; nothing is sent then.
  virtual void PutString(const std::string& s) = 0;
  // Sets the DTR line. Throws ui::Exception when the port cannot (not open, no DTR line).
  virtual void SetDTR(bool on) = 0;
  virtual bool DTR() const = 0;
  // Received bytes waiting to be read.
  virtual int InBuffUsed() const = 0;
  // The next received byte (only while InBuffUsed() > 0).
  virtual unsigned char GetChar() = 0;
  // A readable name of the port in use, empty when none is open.
  virtual std::string PortName() const { return {}; }

  // Called once per batch of received bytes with the number waiting (at most 65535), through
  // the event gate: never inside another handler. Bytes left over after the handler returns
  // are announced by the next notification at once.
  std::function<void(int count)> OnTriggerAvail;

 protected:
  // Implementations call this whenever bytes arrive.
  void NotifyAvailable();

 private:
  bool notifyPending_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace connection
