#include "connection/SerialPort.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <cerrno>
#include <unistd.h>
#include <grp.h>
#include <sys/stat.h>

#include "connection/PortChooser.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace connection {

namespace {

// Bytes at 10 bits each (start, 8 data, stop), plus slack for a slow driver.
int TransmitBudgetMs(std::size_t bytes) {
  return static_cast<int>(bytes * 10 * 1000 / SerialPort::kBaud) * 2 + 3000;
}

class CallGuard {
 public:
  explicit CallGuard(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~CallGuard() { flag_ = saved_; }
  CallGuard(const CallGuard&) = delete;
  CallGuard& operator=(const CallGuard&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

}  // namespace

std::string OwnerGroup(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return {};
  if (const group* g = getgrgid(st.st_gid)) return g->gr_name;
  return std::to_string(st.st_gid);
}

std::string OpenErrorText(const std::string& path, const std::string& reason,
                          bool permissionDenied) {
  std::string text = "Cannot open serial port " + path + ": " + reason;
  if (permissionDenied) {
    const std::string group = OwnerGroup(path);
    if (!group.empty()) {
      text += ". The user must be a member of the group \"" + group + "\" that owns " + path +
              " (then log in again)";
    }
  }
  return text;
}

SerialPort::SerialPort(Chooser chooser)
    : chooser_(chooser ? std::move(chooser) : Chooser(&PortChooser::Ask)),
      context_(std::make_unique<QObject>()),
      serial_(std::make_unique<QSerialPort>()) {
  QObject::connect(serial_.get(), &QSerialPort::readyRead, context_.get(),
                   [this] { TakeReceivedBytes(); });
  QObject::connect(serial_.get(), &QSerialPort::errorOccurred, context_.get(),
                   [this](QSerialPort::SerialPortError error) { OnSerialError(error); });
}

SerialPort::~SerialPort() {
  context_.reset();
  if (serial_->isOpen()) serial_->close();
  serial_.reset();
  device_.reset();
}

bool SerialPort::IsOpen() const { return device_ != nullptr || serial_->isOpen(); }

std::string SerialPort::Reason() const { return ui::FromQString(serial_->errorString()); }

void SerialPort::EnsureOpen() {
  ReportLostLink();  // a failure not yet handled closes the port first
  if (IsOpen()) return;
  if (!chosen_) {
    chosen_ = chooser_();
    askIfReopenFails_ = false;
    if (!chosen_) throw ui::Exception("No serial port has been chosen.");
  }
  if (*chosen_ == kBuiltInDevice) {
    device_ = std::make_unique<DevicePort>(kel::DefaultConfiguration());
    device_->OnTriggerAvail = [this](int count) {
      if (OnTriggerAvail) OnTriggerAvail(count);
    };
    return;
  }
  try {
    OpenSerial(*chosen_);
  } catch (const ui::Exception&) {
    if (!askIfReopenFails_) throw;
    // The port vanished while it was open and has not come back: choose again.
    chosen_.reset();
    EnsureOpen();
  }
}

void SerialPort::OpenSerial(const std::string& path) {
  CallGuard guard(inCall_);
  serial_->setPortName(ui::ToQString(path));
  serial_->setBaudRate(kBaud);
  serial_->setDataBits(QSerialPort::Data8);
  serial_->setParity(QSerialPort::NoParity);
  serial_->setStopBits(QSerialPort::OneStop);
  serial_->setFlowControl(QSerialPort::HardwareControl);
  if (!serial_->open(QIODevice::ReadWrite)) {
    const bool denied = serial_->error() == QSerialPort::PermissionError &&
                        access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
    const std::string text = OpenErrorText(path, Reason(), denied);
    serial_->clearError();
    throw ui::Exception(text);
  }
  // A line without DTR (a pseudo-terminal) cannot lower it; the port works all the same.
  serial_->setDataTerminalReady(false);
  dtr_ = false;
  serial_->clear(QSerialPort::Input);  // what waited before we opened is stale
  serial_->clearError();
  lost_ = false;
  askIfReopenFails_ = false;
}

void SerialPort::PutString(const std::string& s) {
  if (s.size() > kOutputLimit) throw ui::Exception("Output buffer too small for block");
  EnsureOpen();
  if (device_) {
    device_->PutString(s);
    return;
  }
  const std::string path = *chosen_;
  CallGuard guard(inCall_);
  if (serial_->write(s.data(), static_cast<qint64>(s.size())) != static_cast<qint64>(s.size())) {
    const std::string text = "Cannot send to serial port " + path + ": " + Reason();
    DropLink();
    throw ui::Exception(text);
  }
  // Wait until every byte has left, so a send is complete when it returns; bounded, so a
  // device that holds CTS off cannot freeze the program.
  QDeadlineTimer deadline(TransmitBudgetMs(s.size()));
  while (serial_->isOpen() && serial_->bytesToWrite() > 0) {
    if (serial_->waitForBytesWritten(static_cast<int>(deadline.remainingTime()))) continue;
    if (serial_->error() == QSerialPort::TimeoutError || deadline.hasExpired()) {
      serial_->clear(QSerialPort::Output);
      serial_->clearError();
      throw ui::Exception("Timeout while sending to serial port " + path +
                          ": the device does not take the data");
    }
    const std::string text = "Cannot send to serial port " + path + ": " + Reason();
    DropLink();
    throw ui::Exception(text);
  }
}

void SerialPort::SetDTR(bool on) {
  EnsureOpen();
  if (device_) {
    device_->SetDTR(on);
    return;
  }
  CallGuard guard(inCall_);
  if (!serial_->setDataTerminalReady(on)) {
    const std::string text = "Cannot set DTR on serial port " + *chosen_ + ": " + Reason();
    serial_->clearError();
    throw ui::Exception(text);
  }
  dtr_ = on;
}

bool SerialPort::DTR() const { return device_ ? device_->DTR() : dtr_; }

int SerialPort::InBuffUsed() const {
  const int own = static_cast<int>(input_.size() - inputPos_);
  return device_ ? own + device_->InBuffUsed() : own;
}

unsigned char SerialPort::GetChar() {
  if (inputPos_ < input_.size()) {
    const unsigned char c = static_cast<unsigned char>(input_[inputPos_++]);
    if (inputPos_ == input_.size()) {
      input_.clear();
      inputPos_ = 0;
    }
    return c;
  }
  return device_ ? device_->GetChar() : 0;
}

std::string SerialPort::PortName() const {
  if (device_) return device_->PortName();
  return serial_->isOpen() && chosen_ ? *chosen_ : std::string();
}

void SerialPort::TakeReceivedBytes() {
  const QByteArray bytes = serial_->readAll();
  if (bytes.isEmpty()) return;
  if (inputPos_ > 0 && inputPos_ * 2 > input_.size()) {
    input_.erase(0, inputPos_);
    inputPos_ = 0;
  }
  input_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  // Announced from the event loop, never from inside QSerialPort's own signal: the handler
  // may pause, send or show a box.
  if (notifyQueued_) return;
  notifyQueued_ = true;
  QTimer::singleShot(0, context_.get(), [this] {
    notifyQueued_ = false;
    NotifyAvailable();
  });
}

void SerialPort::OnSerialError(QSerialPort::SerialPortError error) {
  if (inCall_ || lost_ || !serial_->isOpen()) return;
  if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError ||
      error == QSerialPort::UnsupportedOperationError) {
    return;
  }
  // The device went away (unplugged, or the far end of a pseudo-terminal closed). Qt keeps
  // reporting it until the port is closed: take the first report, close, show it once.
  lost_ = true;
  QTimer::singleShot(0, context_.get(), [this] { ReportLostLink(); });
}

void SerialPort::ReportLostLink() {
  if (!lost_) return;
  // The system's text is not told here: Qt reads errno after a read that merely ended, so
  // it names whatever call failed last.
  const std::string message = "The connection to serial port " + chosen_.value_or("") +
                              " was lost (the device was unplugged or switched off); the port "
                              "has been closed";
  DropLink();
  ui::EventGate::Instance().Post([message] { ui::ShowError(message); });
}

void SerialPort::DropLink() {
  TakeReceivedBytes();
  if (serial_->isOpen()) serial_->close();
  serial_->clearError();
  lost_ = false;
  askIfReopenFails_ = true;
}

}  // namespace connection
