#include "connection/PortChooser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include "ui/Runtime.h"
#include "ui/Text.h"

namespace connection {

std::string EntryText(const PortEntry& entry) {
  if (entry.description.empty() || entry.description == entry.path) return entry.path;
  return entry.path + " - " + entry.description;
}

std::string StableName(const std::string& systemLocation, const std::string& byIdDir) {
  const QString target = QFileInfo(ui::ToQString(systemLocation)).canonicalFilePath();
  if (target.isEmpty()) return systemLocation;
  const QDir dir(ui::ToQString(byIdDir));
  const QFileInfoList links = dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot,
                                                QDir::Name);
  for (const QFileInfo& link : links) {
    if (link.canonicalFilePath() == target) return ui::FromQString(link.absoluteFilePath());
  }
  return systemLocation;
}

std::vector<PortEntry> ListPorts() {
  std::vector<PortEntry> entries;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    std::string description = ui::FromQString(info.description());
    const std::string manufacturer = ui::FromQString(info.manufacturer());
    if (!manufacturer.empty() && !ui::Contains(description, manufacturer)) {
      description = description.empty() ? manufacturer : description + " (" + manufacturer + ")";
    }
    entries.push_back({StableName(ui::FromQString(info.systemLocation())), description});
  }
  entries.push_back({kBuiltInDevice, ""});
  return entries;
}

PortChooser::PortChooser(std::vector<PortEntry> entries, QWidget* parent)
    : QDialog(parent), entries_(std::move(entries)) {
  setObjectName(QStringLiteral("PortChooser"));
  setWindowTitle(QStringLiteral("Select Port"));
  auto* layout = new QVBoxLayout(this);
  auto* line1 = new QLabel(QStringLiteral("The configured serial port is not valid."), this);
  auto* line2 = new QLabel(QStringLiteral("Please choose another port."), this);
  line1->setObjectName(QStringLiteral("Line1"));
  line2->setObjectName(QStringLiteral("Line2"));
  layout->addWidget(line1);
  layout->addWidget(line2);

  ports_ = new QComboBox(this);
  ports_->setObjectName(QStringLiteral("Ports"));
  ports_->setEditable(true);
  ports_->setInsertPolicy(QComboBox::NoInsert);
  ports_->setMinimumWidth(360);
  ports_->setSizeAdjustPolicy(QComboBox::AdjustToContents);  // long by-id names fit
  for (const PortEntry& entry : entries_) ports_->addItem(ui::ToQString(EntryText(entry)));
  if (ports_->count() > 0) ports_->setCurrentIndex(0);
  // The preselected entry's text is selected, so that typing a path replaces it; the caret
  // stays at its start, so that a long name is shown from its beginning.
  const int length = static_cast<int>(ports_->currentText().size());
  ports_->lineEdit()->setSelection(length, -length);
  layout->addWidget(ports_);

  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setObjectName(QStringLiteral("OK"));
  cancel->setObjectName(QStringLiteral("Cancel"));
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<std::string> PortChooser::Choice() const {
  const std::string text = ui::Trim(ui::FromQString(ports_->currentText()));
  if (text.empty()) return std::nullopt;
  for (const PortEntry& entry : entries_) {
    if (EntryText(entry) == text || entry.path == text) return entry.path;
  }
  return text;
}

std::optional<std::string> PortChooser::Ask() {
  // Modal: events that arrive meanwhile wait in the gate.
  ui::EventGate::Hold hold;
  PortChooser chooser(ListPorts());
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return chooser.Choice();
}

}  // namespace connection
