// The real serial code path against kel-sim on a pseudo-terminal, on the real clock.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <optional>
#include <sys/prctl.h>

#include "app/TForm1.h"
#include "support/KelSim.h"
#include "connection/PortChooser.h"
#include "connection/SerialPort.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

using connection::SerialPort;

namespace {

using testsupport::KelSim;
using testsupport::RealServices;
constexpr int kWaitMs = testsupport::kKelSimWaitMs;

std::string ErrorOf(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const ui::Exception& e) {
    return e.what();
  }
  return {};
}

std::string Bytes(int from, int to) {
  std::string s;
  for (int b = from; b <= to; ++b) s += static_cast<char>(b);
  return s;
}

// A port on kel-sim whose chooser answers with `answer` (the simulator's terminal unless a
// test says otherwise); everything received is collected through the notifications.
class SerialPortOnKelSim : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!KelSim::Program()) GTEST_SKIP() << "VIRODO_KEL_SIM is not set";
    ASSERT_TRUE(sim.Start()) << "kel-sim did not come up";
    answer = [this]() -> std::optional<std::string> { return sim.pty; };
    port = std::make_unique<SerialPort>([this] {
      ++asked;
      return answer();
    });
    port->OnTriggerAvail = [this](int count) {
      ++notifications;
      EXPECT_LE(count, port->InBuffUsed());
      for (int i = 0; i < count; ++i) received += static_cast<char>(port->GetChar());
    };
  }
  void TearDown() override { port.reset(); }

  bool WaitFor(const std::string& text) {
    return QTest::qWaitFor([&] { return received.find(text) != std::string::npos; }, kWaitMs);
  }
  // Sends and waits for the reply that ends with `ending`; gives what came.
  std::string Exchange(const std::string& send, const std::string& ending = "OK\r\n") {
    received.clear();
    port->PutString(send);
    EXPECT_TRUE(WaitFor(ending)) << "no '" << ending << "' after " << send.substr(0, 40)
                                 << "; got: " << received;
    return std::exchange(received, {});
  }
  // Echo off, so only replies come back.
  void OpenQuiet() { EXPECT_EQ(Exchange("ATE0\r\n"), "ATE0\r\n\r\nOK\r\n"); }

  RealServices services;
  KelSim sim;
  std::function<std::optional<std::string>()> answer;
  std::unique_ptr<SerialPort> port;
  std::string received;
  int asked = 0;
  int notifications = 0;
};

TEST_F(SerialPortOnKelSim, FirstSendAsksOpensAndAteGetsOk) {
  EXPECT_FALSE(port->IsOpen());
  EXPECT_EQ(port->PortName(), "");
  OpenQuiet();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(port->IsOpen());
  EXPECT_EQ(port->PortName(), sim.pty);
  EXPECT_FALSE(port->DTR());
  EXPECT_GE(notifications, 1);
  EXPECT_EQ(Exchange("AT\r\n"), "\r\nOK\r\n");
  EXPECT_EQ(asked, 1) << "an open port is not chosen again";
  EXPECT_EQ(port->InBuffUsed(), 0);
}

// Script uploads of the given sizes: the device answers OK only after exactly `size` bytes,
// and a following "AT" gets a plain OK only when no byte too many arrived.
TEST_F(SerialPortOnKelSim, BlocksArriveWholeAndByteExact) {
  OpenQuiet();
  struct Case {
    const char* name;
    std::string data;
  };
  std::string big(SerialPort::kOutputLimit, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
  const Case cases[] = {{"every byte value", Bytes(0, 255)}, {"largest block", big}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exchange("AT#WSCRIPT=\"t.py\"," + std::to_string(c.data.size()) + "\r\n", ">>> "),
              "\r\n>>> ");
    received.clear();
    port->PutString(c.data);
    EXPECT_TRUE(WaitFor("OK\r\n")) << "got: " << received;
    port->PutString("AT\r\n");
    EXPECT_TRUE(WaitFor("OK\r\n\r\nOK\r\n")) << "got: " << received;
    EXPECT_EQ(received, "\r\nOK\r\n\r\nOK\r\n");
  }
}

// Receiving: the echo of a command carries every byte value but CR and LF back unchanged.
TEST_F(SerialPortOnKelSim, EveryReceivedByteValueReachesTheProgram) {
  std::string payload = Bytes(0, 9) + Bytes(11, 12) + Bytes(14, 255);
  const std::string got = Exchange("AT" + payload + "\r\n", "ERROR\r\n");
  EXPECT_EQ(got, "AT" + payload + "\r\n\r\nERROR\r\n");
}

TEST_F(SerialPortOnKelSim, TooLongSendIsRefusedAndNothingLeaves) {
  OpenQuiet();
  EXPECT_EQ(ErrorOf([&] { port->PutString(std::string(SerialPort::kOutputLimit + 1, 'A')); }),
            "Output buffer too small for block");
  // Had any of the block gone out, it would prefix the next command and spoil it.
  EXPECT_EQ(Exchange("AT\r\n"), "\r\nOK\r\n");
}

TEST_F(SerialPortOnKelSim, CancelFailsTheSendAndTheNextSendAsksAgain) {
  answer = [] { return std::optional<std::string>(); };
  EXPECT_EQ(ErrorOf([&] { port->PutString("ATE0\r\n"); }), "No serial port has been chosen.");
  EXPECT_EQ(ErrorOf([&] { port->SetDTR(true); }), "No serial port has been chosen.");
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(port->IsOpen());
  EXPECT_FALSE(port->Chosen().has_value());
  answer = [this]() -> std::optional<std::string> { return sim.pty; };
  OpenQuiet();
  EXPECT_EQ(asked, 3);
}

TEST_F(SerialPortOnKelSim, PortThatCannotBeOpenedStaysChosen) {
  const std::string missing = "/dev/virodo-no-such-port";
  answer = [&]() -> std::optional<std::string> { return missing; };
  for (int attempt = 1; attempt <= 2; ++attempt) {
    SCOPED_TRACE(attempt);
    const std::string error = ErrorOf([&] { port->PutString("ATE0\r\n"); });
    EXPECT_NE(error.find("Cannot open serial port " + missing + ": "), std::string::npos) << error;
    EXPECT_GT(error.size(), ("Cannot open serial port " + missing + ": ").size()) << "no reason";
    EXPECT_EQ(asked, 1) << "the chosen port is retried without asking";
    EXPECT_EQ(port->Chosen(), missing);
    EXPECT_FALSE(port->IsOpen());
  }
}

TEST_F(SerialPortOnKelSim, DtrOnATerminalWithoutDtrLineIsReported) {
  const std::string error = ErrorOf([&] { port->SetDTR(true); });
  EXPECT_EQ(asked, 1) << "setting DTR opens the port";
  EXPECT_NE(error.find("Cannot set DTR on serial port " + sim.pty), std::string::npos) << error;
  EXPECT_FALSE(port->DTR());
  OpenQuiet();  // the port still works
}

TEST_F(SerialPortOnKelSim, UnplugIsShownOnceClosesAndTheNextSendReopens) {
  OpenQuiet();
  KelSim second;
  ASSERT_TRUE(second.Start());
  sim.Kill();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !port->IsOpen(); }, kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !services.dialogs.errors.empty(); }, kWaitMs));
  // Let the event loop run on: a port that keeps reporting its failure would add boxes.
  QTest::qWait(300);
  ASSERT_EQ(services.dialogs.errors.size(), 1u);
  EXPECT_EQ(services.dialogs.errors[0],
            "The connection to serial port " + sim.pty +
                " was lost (the device was unplugged or switched off); the port has been closed.");
  EXPECT_EQ(port->PortName(), "");

  // The old terminal is gone, so the next send asks for a port and opens the new one.
  answer = [&]() -> std::optional<std::string> { return second.pty; };
  EXPECT_EQ(Exchange("ATE0\r\n"), "ATE0\r\n\r\nOK\r\n");
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(port->PortName(), second.pty);
  EXPECT_EQ(services.dialogs.errors.size(), 1u);
}

TEST_F(SerialPortOnKelSim, WholeWindowStartsAndSeesOk) {
  QTemporaryDir dir;
  TForm1 form(*port, dir.path().toStdString() + "/VIRodo");
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(port->PortName(), sim.pty);
  const auto monitorHas = [&](const std::string& line) {
    const auto& lines = form.Monitor.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(QTest::qWaitFor([&] { return monitorHas("OK"); }, kWaitMs));
  EXPECT_TRUE(monitorHas("ATE0"));
  EXPECT_TRUE(services.dialogs.errors.empty());
}

// ----------------------------------------------------------------------------------------
// The built-in device: chosen in the chooser, it answers through the same port.
TEST(SerialPortBuiltIn, ChoosingTheBuiltInDeviceTalksToTheModel) {
  RealServices services;
  SerialPort port([] { return std::optional<std::string>(connection::kBuiltInDevice); });
  std::string received;
  port.OnTriggerAvail = [&](int count) {
    for (int i = 0; i < count; ++i) received += static_cast<char>(port.GetChar());
  };
  port.PutString("ATE0\r\n");
  ASSERT_NE(port.BuiltInDevice(), nullptr);
  EXPECT_EQ(port.PortName(), "built-in device");
  EXPECT_TRUE(QTest::qWaitFor([&] { return received == "ATE0\r\n\r\nOK\r\n"; }, kWaitMs))
      << received;
  port.SetDTR(true);
  EXPECT_TRUE(port.DTR());
  EXPECT_TRUE(QTest::qWaitFor([&] { return received.find("STOP\r\n") != std::string::npos; },
                              kWaitMs))
      << received;
  EXPECT_EQ(ErrorOf([&] { port.PutString(std::string(SerialPort::kOutputLimit + 1, 'A')); }),
            "Output buffer too small for block");
}

}  // namespace
