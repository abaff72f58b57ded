// Read, edit, write and read again through the real serial code path, to kel-sim on a
// pseudo-terminal, on the real clock (every wait bounded).
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include "app/TForm1.h"
#include "connection/SerialPort.h"
#include "support/KelSim.h"

namespace {

constexpr int kReadWaitMs = 10000;
constexpr int kWriteWaitMs = 30000;  // about 36 steps of 200 ms each, with room to spare

// What the window holds of the configuration, as one comparable list of texts.
std::vector<std::string> Configuration(TForm1& f) {
  std::vector<std::string> texts;
  for (auto* column : {&f.ADMIN, &f.ABUTTON, &f.AABUTTON, &f.BBUTTON})
    for (ui::TEdit* field : *column) texts.push_back(field->Name() + "=" + field->Text());
  texts.push_back("ALARMON=" + f.ALARMON.Text());
  texts.push_back("ALARMOFF=" + f.ALARMOFF.Text());
  texts.push_back("PARKEL=" + f.V.deviceParameterString);
  texts.push_back("PARRL1=" + f.V.relay1ParameterString);
  texts.push_back("PARRL2=" + f.V.relay2ParameterString);
  for (const std::string& row : f.PhoneBook1.Strings()) texts.push_back("row " + row);
  return texts;
}

bool ReadDevice(TForm1& f, int rows) {
  f.LoadKEL.Click();
  return QTest::qWaitFor([&] { return f.PhoneBook1.RowCount() == rows && f.ALARMOFF.Text() != ""; },
                         kReadWaitMs);
}

TEST(DeviceWriteOverSerialPort, ReadEditWriteRead) {
  if (!testsupport::KelSim::Program()) GTEST_SKIP() << "VIRODO_KEL_SIM is not set";
  testsupport::RealServices services;
  testsupport::KelSim sim;
  ASSERT_TRUE(sim.Start({QStringLiteral("--capacity"), QStringLiteral("20")}));
  QTemporaryDir dir;
  connection::SerialPort port([&]() -> std::optional<std::string> { return sim.pty; });

  std::vector<std::string> edited;
  {
    TForm1 f(port, dir.path().toStdString() + "/VIRodo");
    // The device's own configuration: 2 admins, 2 + 1 buttons, alarms, settings, 4 rows.
    ASSERT_TRUE(ReadDevice(f, 4)) << "rows read: " << f.PhoneBook1.RowCount();
    EXPECT_EQ(f.ADMIN1.Text(), "+420603111222");
    EXPECT_EQ(f.AABUTTON2.Text(), "+420731777888");
    EXPECT_EQ(f.StatusBar1.PanelText(4), " KEL Ver: 2.0");

    f.ADMIN3.SetText("+420601000333");
    f.ALARMON.SetText("Alarm on");
    f.VolMic.SetPosition(2);
    f.PhoneBook1.DeleteRow(3);
    f.PhoneBook1.InsertRow("Recepce", "+420 222 333", true);
    f.SaveKEL.Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !f.V.writeInProgress; }, kWriteWaitMs))
        << "write step " << f.V.writeStep;
    EXPECT_TRUE(services.dialogs.errors.empty()) << services.dialogs.errors.front();
    EXPECT_TRUE(f.LoadKEL.Enabled());
    EXPECT_FALSE(f.Prubeh.Visible());
    EXPECT_EQ(f.V.nextSimSlot, 21);
    edited = Configuration(f);
  }

  // A fresh window on the same line reads back what was written.
  TForm1 f(port, dir.path().toStdString() + "/VIRodo");
  ASSERT_TRUE(ReadDevice(f, 4)) << "rows read: " << f.PhoneBook1.RowCount();
  EXPECT_EQ(Configuration(f), edited);
  EXPECT_EQ(f.ADMIN3.Text(), "+420601000333");
  EXPECT_EQ(f.VolMic.Position(), 2);
  EXPECT_EQ(f.PhoneBook1.RowText(4), "Recepce=+420 222 333");
  EXPECT_TRUE(services.dialogs.errors.empty());
}

}  // namespace
