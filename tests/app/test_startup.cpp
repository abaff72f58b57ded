// Start-up of the main window: the steps in their order, the photo chosen by the program's
// file name, a failing first send, and closing.
#include <gtest/gtest.h>

#include <QProcess>

#include "support/FormHarness.h"

TEST(Startup, EchoOffIsTheFirstSendThenAPause) {
  FormHarness h;
  ASSERT_FALSE(h.port.sends.empty());
  EXPECT_EQ(h.port.sends.front(), "ATE0\r\n");
  EXPECT_EQ(h.port.sendTimes.front(), 0);
  EXPECT_EQ(h.port.sent, "ATE0\r\n");
  EXPECT_EQ(h.clock.NowMs(), 200);  // the blocking pause of the start-up
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST(Startup, InitialStatesOfTheWindow) {
  FormHarness h;
  TForm1& f = h.f();
  EXPECT_FALSE(f.SaveKEL.Enabled());
  EXPECT_FALSE(f.Prubeh.Visible());
  EXPECT_FALSE(f.RXDled.Visible());
  EXPECT_FALSE(f.Cekani.Enabled());
  EXPECT_FALSE(f.LedTimer.Enabled());
  EXPECT_EQ(f.BVoltage.Position(), 300);
  EXPECT_EQ(f.BVoltage.Min(), 300);
  EXPECT_EQ(f.BVoltage.Max(), 420);
  EXPECT_EQ(f.Smeter.Progress(), 0);
  EXPECT_EQ(f.Smeter.MaxValue(), 31);
  EXPECT_EQ(f.Prubeh.Max(), 100);
  EXPECT_EQ(f.V.deviceParameterString, "4#4#0#0#1#7#2#0");
  EXPECT_EQ(f.V.relay1ParameterString, "5#1#03#1");
  EXPECT_EQ(f.V.relay2ParameterString, "6#1#03#1");
  EXPECT_TRUE(f.V.firstPhoneBookEntry);
  EXPECT_FALSE(f.V.uploadInProgress);
  EXPECT_FALSE(f.V.queryOperatorAfterStop);
  EXPECT_FALSE(f.V.writeInProgress);
  EXPECT_EQ(f.V.simCapacity, 0);
  EXPECT_TRUE(f.V.receiveLineBuffer.empty());
  // The controls are not set from the parameter strings at start-up.
  EXPECT_EQ(f.VolSpk.Position(), 7);
  EXPECT_EQ(f.VolMic.Position(), 7);
  EXPECT_EQ(f.RelCode1.Text(), "5");
  EXPECT_EQ(f.RelCode2.Text(), "6");
  EXPECT_EQ(f.RelTime1.Text(), "03");
  EXPECT_EQ(f.TypeRing.Text(), "1");
  EXPECT_EQ(f.TypeRing.ItemCount(), 30);
  EXPECT_EQ(f.PhoneBook1.RowCount(), 0);
  EXPECT_EQ(f.PageControl1.ActivePage(), &f.Buttons);
  EXPECT_EQ(f.KELtyp.ActivePage(), &f.KELtyp1);
  EXPECT_EQ(f.PageControl2.ActivePage(), &f.Calls);
  EXPECT_EQ(f.size(), QSize(613, 503));
  ASSERT_EQ(f.StatusBar1.PanelCount(), 5);
  const int widths[] = {190, 160, 60, 75, 60};
  const char* texts[] = {" Operator:", " board voltage:", " SIM:", "  Ver: 2.2", " KEL Ver:"};
  f.show();
  for (int i = 0; i < 5; ++i) {
    if (i < 4) EXPECT_EQ(f.StatusBar1.PanelWidth(i), widths[i]);
    else EXPECT_GE(f.StatusBar1.PanelWidth(i), widths[i]);  // the last panel reaches the edge
    EXPECT_EQ(f.StatusBar1.PanelText(i), texts[i]);
  }
  // Every control carries its name as its Qt object name.
  for (const char* name : {"ABUTTON1", "AABUTTON7", "BBUTTON4", "ADMIN7", "RelCode2", "PhoneBook1", "Monitor",
                           "Prubeh", "Smeter", "BVoltage", "RXDled", "TypeRing", "Inicializace", "KELL2", "Sipkaf1"}) {
    EXPECT_NE(f.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
  }
}

TEST(Startup, PhotoVariantFollowsTheProgramFileName) {
  struct Case {
    const char* exe;
    std::vector<std::string> shown;
    const char* caption;
  };
  const Case cases[] = {
      {"VIRodo", {"KEL1", "KEL2", "Sipka1"}, "VIRodo"},
      {"VIRodo Vock.exe", {"KELF1", "KELF2", "Sipkaf1"}, "VIRodo"},
      {"KelQu", {"KELF1", "KELF2", "Sipkaf1"}, "VIRodo"},
      {"GSM Orv tool", {"KELL1", "KELL2", "Sipkaf1"}, "Pema GSM Orv Manager"},
      {"Qu GSM Orv", {"KELF1", "KELF2", "Sipkaf1"}, "VIRodo"},      // "Qu" is tested first
      {"VockQu", {"KELF1", "KELF2", "Sipkaf1"}, "VIRodo"},
      {"vock gsm orv QU", {"KEL1", "KEL2", "Sipka1"}, "VIRodo"},   // the markers are case-sensitive
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.exe);
    FormHarness h(c.exe);
    TForm1& f = h.f();
    std::vector<std::string> shown;
    for (ui::TImage* img : {&f.KEL1, &f.KELF1, &f.KELL1, &f.KEL2, &f.KELF2, &f.KELL2, &f.Sipka1, &f.Sipkaf1})
      if (img->Visible()) shown.push_back(img->Name());
    std::sort(shown.begin(), shown.end());
    std::vector<std::string> expected = c.shown;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(f.windowTitle().toStdString(), c.caption);
    for (ui::TImage* img : {&f.KEL1, &f.KELF1, &f.KELL1, &f.KEL2, &f.KELF2, &f.KELL2, &f.Sipka1, &f.Sipkaf1})
      EXPECT_TRUE(img->HasPicture()) << img->Name();
  }
}

TEST(Startup, OnlyTheFileNameCountsNotTheFolder) {
  FormHarness h("VIRodo", false);
  connection::ScriptedPort port;
  TForm1 f(port, "/opt/Vock tools/VIRodo");
  EXPECT_TRUE(f.KEL1.Visible());
  EXPECT_FALSE(f.KELF1.Visible());
}

TEST(Startup, AFailingFirstSendSkipsTheRestAndTheWindowStillOpens) {
  FormHarness h("VIRodo Vock", false);
  h.port.failSendWith = "No serial port has been chosen.";
  h.Create("VIRodo Vock");
  TForm1& f = h.f();
  EXPECT_EQ(h.dialogs.errors, (std::vector<std::string>{"No serial port has been chosen."}));
  EXPECT_EQ(h.dialogs.titles, (std::vector<std::string>{"VIRodo"}));
  EXPECT_TRUE(h.port.sends.empty());
  EXPECT_EQ(h.clock.NowMs(), 0);                 // no pause
  EXPECT_TRUE(f.V.deviceParameterString.empty());  // no start values
  EXPECT_TRUE(f.V.relay1ParameterString.empty());
  for (ui::TImage* img : {&f.KEL1, &f.KELF1, &f.KELL1, &f.KEL2, &f.KELF2, &f.KELL2, &f.Sipka1, &f.Sipkaf1})
    EXPECT_FALSE(img->Visible()) << img->Name();
  // Steps before the send took effect.
  EXPECT_FALSE(f.SaveKEL.Enabled());
  EXPECT_EQ(f.BVoltage.Position(), 300);
  f.show();
  EXPECT_TRUE(f.isVisible());
  // The next send tries again.
  h.port.failSendWith.clear();
  f.Send("AT\r\n");
  EXPECT_EQ(h.port.sent, "AT\r\n");
}

TEST(Startup, ClosingSendsNothing) {
  FormHarness h;
  h.f().show();
  const auto before = h.port.sends.size();
  EXPECT_TRUE(h.f().close());
  EXPECT_EQ(h.port.sends.size(), before);
}

TEST(Startup, SettingsFileLiesBesideTheProgram) {
  struct Case {
    const char* exe;
    const char* ini;
  };
  const Case cases[] = {{"/opt/kel/VIRodo.exe", "/opt/kel/VIRodo.ini"},
                        {"/opt/kel/virodo", "/opt/kel/virodo.ini"},
                        {"/opt/kel.d/virodo", "/opt/kel.d/virodo.ini"},
                        {"/opt/kel/VIRodo Vock.2.exe", "/opt/kel/VIRodo Vock.2.ini"}};
  for (const auto& c : cases) {
    FormHarness h("VIRodo", false);
    connection::ScriptedPort port;
    TForm1 f(port, c.exe);
    EXPECT_EQ(f.SettingsPath(), c.ini);
  }
}

TEST(Startup, WithoutADisplayTheProgramSaysHowToGetOne) {
  const QString exe = QStringLiteral(VIRODO_BINARY_DIR "/virodo");
  QProcess p;
  QProcessEnvironment env;  // empty: no DISPLAY, no WAYLAND_DISPLAY, no QT_QPA_PLATFORM
  env.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
  p.setProcessEnvironment(env);
  p.start(exe, {});
  ASSERT_TRUE(p.waitForFinished(20000));
  EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(p.exitCode(), 1);
  const QString err = QString::fromLocal8Bit(p.readAllStandardError());
  EXPECT_TRUE(err.contains(QStringLiteral("xvfb-run"))) << err.toStdString();
}
