// A script upload through the real serial code path, to kel-sim on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

#include "app/TForm1.h"
#include "connection/SerialPort.h"
#include "support/KelSim.h"
#include "ui/FileIO.h"

TEST(UploadOverSerialPort, ThreeFilesReachTheModuleWhole) {
  if (!testsupport::KelSim::Program()) GTEST_SKIP() << "VIRODO_KEL_SIM is not set";
  testsupport::RealServices services;
  testsupport::KelSim sim;
  ASSERT_TRUE(sim.Start());
  QTemporaryDir dir;
  const std::string folder = dir.path().toStdString();

  std::string binary;
  for (int i = 0; i < 512; ++i) binary += static_cast<char>(i & 0xFF);
  binary += "\r\n\r\n";
  binary += std::string(3, '\0');
  std::string big(60000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 31 + i / 97) & 0xFF);
  const std::vector<std::pair<std::string, std::string>> files = {
      {folder + "/kel.pyo", binary}, {folder + "/voice.amr", big}, {folder + "/readme.txt", "text\r\n"}};
  for (const auto& [path, bytes] : files) ui::WriteFileAtomic(path, bytes);

  connection::SerialPort port([&]() -> std::optional<std::string> { return sim.pty; });
  TForm1 f(port, folder + "/VIRodo");
  ASSERT_TRUE(services.dialogs.errors.empty()) << services.dialogs.errors.front();
  for (const auto& file : files) f.List.Add(file.first);
  f.Upgrade.Click();

  // The module answers "OK" to a file only after exactly its announced number of bytes; a
  // byte too few stalls the upload, a byte too many reaches it as a command and gets "ERROR".
  const auto prompts = [&] {
    return std::count(f.Monitor.Lines().begin(), f.Monitor.Lines().end(), std::string("+++++++++"));
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return prompts() == 3 && !f.V.uploadInProgress; }, 30000))
      << "prompts answered: " << prompts();
  f.Send("AT\r\n");  // anything left over would spoil this command
  const auto oks = [&] { return std::count(f.Monitor.Lines().begin(), f.Monitor.Lines().end(), std::string("OK")); };
  const auto oksBefore = oks();
  ASSERT_TRUE(QTest::qWaitFor([&] { return oks() == oksBefore + 1; }, 10000));

  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_TRUE(services.dialogs.errors.empty());
  const auto& lines = f.Monitor.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), std::string("ERROR")), 0);
  for (const auto& [path, bytes] : files) {
    const std::string announcement = "AT#WSCRIPT=" + path + "," + std::to_string(bytes.size());
    EXPECT_EQ(std::count(lines.begin(), lines.end(), announcement), 1) << announcement;
  }
}
