// The "Select Port" chooser: shown at the first send when no port has been chosen yet. It
// lists the serial ports present (by their stable /dev/serial/by-id names where those exist)
// with their descriptions, then the built-in device; the user may also type any device path.
#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace connection {

// What the chooser returns when the user picks the built-in device.
inline constexpr const char* kBuiltInDevice = "Built-in KEL device (no hardware)";

struct PortEntry {
  std::string path;         // what is opened (kBuiltInDevice for the built-in device)
  std::string description;  // shown beside the path; may be empty
};

// The text the drop-down shows for an entry.
std::string EntryText(const PortEntry& entry);

// The stable name of a serial device: the link in byIdDir that resolves to systemLocation,
// or systemLocation itself when there is none.
std::string StableName(const std::string& systemLocation,
                       const std::string& byIdDir = "/dev/serial/by-id");

// The serial ports present, then the built-in device.
std::vector<PortEntry> ListPorts();

class PortChooser : public QDialog {
  Q_OBJECT
 public:
  explicit PortChooser(std::vector<PortEntry> entries, QWidget* parent = nullptr);

  // The port the dialog stands on: the entry whose text is shown, else the typed text
  // (trimmed) as a device path; nothing when the field is empty.
  std::optional<std::string> Choice() const;

  QComboBox* Ports() const { return ports_; }

  // Runs the dialog modally: the chosen port, or nothing when the user cancels.
  static std::optional<std::string> Ask();

 private:
  std::vector<PortEntry> entries_;
  QComboBox* ports_ = nullptr;
};

}  // namespace connection
