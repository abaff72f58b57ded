// The "Select Port" chooser and the port's error texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <optional>

#include "connection/PortChooser.h"
#include "connection/SerialPort.h"

using namespace connection;

namespace {

std::vector<std::string> Texts(const QList<QLabel*>& labels) {
  std::vector<std::string> texts;
  for (const QLabel* l : labels) texts.push_back(l->text().toStdString());
  return texts;
}

TEST(PortChooser, ShowsTheTextsPortsAndButtons) {
  PortChooser chooser({{"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "FT232R USB UART"},
                       {kBuiltInDevice, ""}});
  EXPECT_EQ(chooser.windowTitle().toStdString(), "Select Port");
  EXPECT_EQ(Texts(chooser.findChildren<QLabel*>()),
            (std::vector<std::string>{"The configured serial port is not valid.",
                                      "Please choose another port."}));
  QComboBox* ports = chooser.Ports();
  EXPECT_TRUE(ports->isEditable());
  ASSERT_EQ(ports->count(), 2);
  EXPECT_EQ(ports->itemText(0).toStdString(),
            "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0 - FT232R USB UART");
  EXPECT_EQ(ports->itemText(1).toStdString(), kBuiltInDevice);
  EXPECT_EQ(ports->currentIndex(), 0);
  std::vector<std::string> buttons;
  for (const QPushButton* b : chooser.findChildren<QPushButton*>()) {
    buttons.push_back(b->text().toStdString());
  }
  EXPECT_EQ(buttons, (std::vector<std::string>{"OK", "Cancel"}));
}

TEST(PortChooser, ChoiceIsTheSelectedEntryOrTheTypedPath) {
  PortChooser chooser({{"/dev/ttyUSB0", "FT232R USB UART"}, {kBuiltInDevice, ""}});
  EXPECT_EQ(chooser.Choice(), "/dev/ttyUSB0") << "first entry preselected";
  struct Case {
    const char* name;
    int index;                 // entry to select, -1: type `typed`
    const char* typed;
    std::optional<std::string> choice;
  };
  const Case cases[] = {
      {"serial entry", 0, "", "/dev/ttyUSB0"},
      {"built-in device", 1, "", kBuiltInDevice},
      {"typed terminal", -1, "/dev/pts/7", "/dev/pts/7"},
      {"typed with blanks", -1, "  /dev/ttyACM0 ", "/dev/ttyACM0"},
      {"typed bare path of an entry", -1, "/dev/ttyUSB0", "/dev/ttyUSB0"},
      {"empty", -1, "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.index >= 0) {
      chooser.Ports()->setCurrentIndex(c.index);
    } else {
      chooser.Ports()->setEditText(QString::fromUtf8(c.typed));
    }
    EXPECT_EQ(chooser.Choice(), c.choice);
  }
}

// When the chooser opens, the preselected entry's text is selected: typing a path replaces it
// instead of landing in front of it.
TEST(PortChooser, TypingOnOpeningReplacesThePreselectedEntry) {
  PortChooser chooser({{"/dev/ttyS0", ""}, {kBuiltInDevice, ""}});
  chooser.show();
  QApplication::setActiveWindow(&chooser);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&chooser));
  QLineEdit* field = chooser.Ports()->lineEdit();
  EXPECT_EQ(field->cursorPosition(), 0) << "a long name is shown from its start";
  QTest::keyClicks(QApplication::focusWidget(), "/dev/ttyUSB7");
  EXPECT_EQ(chooser.Choice(), "/dev/ttyUSB7");
}

TEST(PortChooser, ListsRealPortsFirstAndTheBuiltInDeviceLast) {
  const std::vector<PortEntry> entries = ListPorts();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back().path, kBuiltInDevice);
  for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
    EXPECT_NE(entries[i].path, kBuiltInDevice);
    EXPECT_EQ(entries[i].path.rfind("/dev/", 0), 0u) << entries[i].path;
  }
  // With no serial port present the built-in device is the preselected first entry.
  PortChooser chooser(entries);
  if (entries.size() == 1) {
    EXPECT_EQ(chooser.Choice(), kBuiltInDevice);
  }
}

TEST(PortChooser, StableNameIsTheByIdLinkWhereOneExists) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString();
  const std::string device = root + "/ttyUSB0";
  const std::string other = root + "/ttyUSB1";
  const std::string byId = root + "/by-id";
  QFile(QString::fromStdString(device)).open(QIODevice::WriteOnly);
  QFile(QString::fromStdString(other)).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(byId)));
  ASSERT_TRUE(QFile::link(QString::fromStdString(device),
                          QString::fromStdString(byId + "/usb-FTDI_FT232R_A1-if00-port0")));
  EXPECT_EQ(StableName(device, byId), byId + "/usb-FTDI_FT232R_A1-if00-port0");
  EXPECT_EQ(StableName(other, byId), other);
  EXPECT_EQ(StableName(root + "/missing", byId), root + "/missing");
  EXPECT_EQ(StableName(device, root + "/no-such-dir"), device);
}

TEST(SerialPortErrors, OpenErrorNamesThePortTheReasonAndTheGroup) {
  QTemporaryDir dir;
  const std::string device = dir.path().toStdString() + "/ttyUSB0";
  QFile(QString::fromStdString(device)).open(QIODevice::WriteOnly);
  const std::string group = OwnerGroup(device);
  ASSERT_FALSE(group.empty());
  struct Case {
    const char* name;
    bool denied;
    std::string expected;
  };
  const Case cases[] = {
      {"other reason", false, "Cannot open serial port " + device + ": Device or resource busy"},
      {"permission", true,
       "Cannot open serial port " + device + ": Device or resource busy. The user must be a "
       "member of the group \"" + group + "\" that owns " + device + " (then log in again)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OpenErrorText(device, "Device or resource busy", c.denied), c.expected);
  }
  EXPECT_EQ(OpenErrorText("/dev/virodo-missing", "Permission denied", true),
            "Cannot open serial port /dev/virodo-missing: Permission denied")
      << "no group to name for a device that is not there";
}

// Renders the chooser to a PNG under the build folder, for review.
TEST(PortChooserRender, Picture) {
  PortChooser chooser({{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K-if00-port0",
                        "FT232R USB UART (FTDI)"},
                       {"/dev/ttyS0", ""},
                       {kBuiltInDevice, ""}});
  chooser.show();
  const QString dir = QStringLiteral(VIRODO_BINARY_DIR) + QStringLiteral("/screens");
  QDir().mkpath(dir);
  const QPixmap shot = chooser.grab();
  ASSERT_FALSE(shot.isNull());
  EXPECT_TRUE(shot.save(dir + QStringLiteral("/port-chooser.png")));
}

}  // namespace
