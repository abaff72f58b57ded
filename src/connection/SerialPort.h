// The program's port: a real serial port (QSerialPort) or, when the user picks it in the
// chooser, the built-in device. Nothing is chosen in advance: the first send (or DTR change)
// asks with the "Select Port" chooser and opens the chosen port.
//
// Serial settings: 115200 baud, 8 data bits, no parity, 1 stop bit, RTS/CTS flow control,
// DTR off when the port opens, at most 64000 bytes in one send.
#pragma once

#include <QSerialPort>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "connection/ComPort.h"
#include "connection/DevicePort.h"

namespace connection {

// The error text for a port that cannot be opened: the port and the system's reason; when
// the user lacks the rights to the device, also the group that owns it.
std::string OpenErrorText(const std::string& path, const std::string& reason,
                          bool permissionDenied);

// The name of the group that owns a file, empty when it cannot be found.
std::string OwnerGroup(const std::string& path);

class SerialPort : public TComPort {
 public:
  // Asks the user for a port: a device path, kBuiltInDevice, or nothing when cancelled.
  using Chooser = std::function<std::optional<std::string>()>;

  static constexpr std::size_t kOutputLimit = 64000;
  static constexpr qint32 kBaud = 115200;

  // chooser: the "Select Port" dialog unless a test answers in its place.
  explicit SerialPort(Chooser chooser = {});
  ~SerialPort() override;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  void PutString(const std::string& s) override;
  void SetDTR(bool on) override;
  bool DTR() const override;
  int InBuffUsed() const override;
  unsigned char GetChar() override;
  // The chosen port while it is open, "built-in device" for the built-in device.
  std::string PortName() const override;

  // The port the user chose, kept after a failed open so later sends retry it.
  const std::optional<std::string>& Chosen() const { return chosen_; }
  bool IsOpen() const;
  // The built-in device once the user has chosen it, else nullptr.
  DevicePort* BuiltInDevice() const { return device_.get(); }

 private:
  void EnsureOpen();
  void OpenSerial(const std::string& path);
  void TakeReceivedBytes();
  void OnSerialError(QSerialPort::SerialPortError error);
  // Closes the port after it failed; the next send opens it again.
  void DropLink();
  // After a failure while open: closes the port and shows the error once.
  void ReportLostLink();
  std::string Reason() const;

  Chooser chooser_;
  std::optional<std::string> chosen_;
  std::unique_ptr<QObject> context_;  // queued calls die with the port
  std::unique_ptr<QSerialPort> serial_;
  std::unique_ptr<DevicePort> device_;
  std::string input_;
  std::size_t inputPos_ = 0;
  bool dtr_ = false;
  bool inCall_ = false;           // our own calls report their failures themselves
  bool lost_ = false;             // failed while open: further errors are echoes of the first
  bool askIfReopenFails_ = false; // after a lost link, a port that cannot be reopened is re-chosen
  bool notifyQueued_ = false;
};

}  // namespace connection
