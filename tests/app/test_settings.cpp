// The settings and UI-text file beside the executable: read at start-up, written at close.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "app/UiTexts.h"
#include "support/FormHarness.h"
#include "ui/FileIO.h"
#include "ui/Text.h"

namespace {

// What the first close writes when the program started without a settings file.
const char* const kFirstCloseFile = R"([Form]
Top=200
Left=200
[Language]
Language=Eng
Buttons=Buttons
Phone Book=Phone Book
Setting=Setting
Monitor=Monitor
Service=Service
1 button=1 button
2 buttons=2 buttons
Insert Line=Insert Line
Delete Line=Delete Line
Find Name=Find Name
Find=Find
Calls=Calls
Relays=Relays
SMSs=SMSs
Admin=Admin
Volume Spk=Volume Spk
Volume Mic=Volume Mic
Incomming Call Pick Up=Incomming Call Pick Up
Info Tones=Info Tones
No - ringing switch=No - ringing switch
All=All
only from SIM=only from SIM
Beeps=Beeps
Ring Tones=Ring Tones
Voice Messages=Voice Messages
Relay 1=Relay 1
Relay 2=Relay 2
camera=camera
light=light
button=button
SMS switch=SMS switch
switch=switch
switch SIM ringing=switch SIM ringing
switch all ringing=switch all ringing
switching code=switching code
switching time=switching time
SMSs with opening numbers=SMSs with opening numbers
Clock from GSM=Clock from GSM
SMS ALARM ON=SMS ALARM ON
SMS ALARM OFF=SMS ALARM OFF
Port=Port
disable=disable
enable SMSs=enable SMSs
enable tons=enable tons
Run=Run
Stop=Stop
Save=Save
Load=Load
Battery=Battery
signal=signal
Save Log=Save Log
Load List=Load List
Clear List=Clear List
Upgrade=Upgrade
Ring=Ring
Set to KEL=Set to KEL
KEL=KEL
Phone number for SMSs with opening numbers=Phone number for SMSs with opening numbers
[Help]
Buttons=Programming telephone numbers into buttons.
PhoneBook=Telephone book in KEL.
Setting=Setting parameters.
Service=Upgrading fw of KEL, loading Voice Messages.
Number of buttons=Number of buttons.
Telephone number=Telephone number
LineIn=Insert a row into a phone book.
LineDel=Delete a row from a phone book.
Find Name=Find the line in the phone book by name.
VolumeSpk=Adjusting the volume for the speaker.
VolumeMic=Adjusting the volume of the microphone.
NoCall=No Pick Up any calls - relay switching by ringing.
AllCall=Pick Up all calls.
SIMCall=Pick up a call only numbers stored on the SIM.
TonBeep=Service tones (indicated by pressing the button, sending SMS, etc.).
TonRing=Ringing for incoming calls and SMS.
TonVoice=Voice Messages for individual functions and statuses KEL.
RelCAM=Relay switches pick up a call, hang up the call relay opens.
RelSW=Relay switches by ringing or DTMF code during a call.
RelLight=Relay switches pick up the call and will remain switched still  the switching time after hanging call.
RelButton=Relay is switched by pressing the button, it will remain switched by switching time.
RelSMS=The relay is on / off remotely using SMS.
Monitor=Monitoring serial communication.
SaveMonitor=Save monitored serial communication.
LoadList=Uploading a list of files to be transferred into KEL.
ClrList=Deleting a file list.
List=List of files to be transferred into KEL.
Upgrade=Upgrade (transfer) all files from the list to KEL.
LoadKEL=Loading parameters from KEL.
SaveKEL=Saving parameters to KEL.
RunKEL=Running operation KEL.
StopKEL=Stoping operation KEL.
RXDled=Indication of operation on the serial line KEL.
Battery=Battery voltage (on-board network) KEL.
Load=Loading parameters from PC.
Save=Saving parameters to PC.
signal=Finding the signal strength (only when stopped KEL).
SMeter=Signal is good, when color is green or blue.
SetTypeRing=Setting type ringing from KEL
)";

std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

// A window started with the given settings file beside its executable (none when empty).
struct SettingsTest : ::testing::Test {
  FormHarness h{"VIRodo", false};
  std::string ini = h.Path("VIRodo.ini");

  TForm1& Start(const std::string& iniText = {}) {
    if (!iniText.empty()) ui::WriteFileAtomic(ini, WithCrLf(iniText));
    h.Create();
    return h.f();
  }
  std::string IniText() const { return ui::ReadFileBytes(ini); }
  QString TabText(ui::TPageControl& pc, ui::TTabSheet& page) const {
    return pc.Tabs()->tabText(pc.IndexOf(page));
  }
};

TEST_F(SettingsTest, FirstRunShowsTheDefaultsAndTheFirstCloseWritesEveryKey) {
  TForm1& f = Start();
  EXPECT_EQ(f.y(), 200);
  EXPECT_EQ(f.x(), 200);
  EXPECT_FALSE(f.Inicializace.Visible());
  EXPECT_FALSE(f.IMEI.Visible());
  EXPECT_EQ(f.V.languageLabel, "Eng");

  // Captions that differ from the design texts, tabs included, and the copies.
  EXPECT_EQ(TabText(f.PageControl1, f.PhoneBook), "Phone Book");
  EXPECT_EQ(TabText(f.PageControl1, f.TabSheet2), "Monitor");
  EXPECT_EQ(TabText(f.KELtyp, f.KELtyp1), "1 button");
  EXPECT_EQ(f.GroupBox3.Caption(), "Incomming Call Pick Up");
  EXPECT_EQ(f.AllCall.Caption(), "All");
  EXPECT_EQ(f.SetTypeRing.Caption(), "Set to KEL");
  EXPECT_EQ(f.SendSMS.Caption(), "SMSs with opening numbers");
  EXPECT_EQ(f.RelRing2.Caption(), "switch SIM ringing");
  EXPECT_EQ(f.Label34.Caption(), "switching time");
  EXPECT_EQ(f.Save.Caption(), "Save");
  EXPECT_EQ(f.Load.Caption(), "Load");

  // Hints and their copies; the fields outside the table get none.
  EXPECT_EQ(f.PhoneBook1.Hint(), "Telephone book in KEL.");
  EXPECT_EQ(f.PageControl1.Tabs()->tabToolTip(f.PageControl1.IndexOf(f.TabSheet2)).toStdString(),
            "Monitoring serial communication.");
  EXPECT_EQ(f.KELtyp.Hint(), "Number of buttons.");
  EXPECT_EQ(f.RelLi2.Hint(), f.RelLi1.Hint());
  EXPECT_EQ(f.Smeter.Hint(), "Signal is good, when color is green or blue.");
  int numberFields = 0;
  for (const auto& column : {f.ABUTTON, f.AABUTTON, f.BBUTTON, f.ADMIN})
    for (ui::TEdit* field : column) {
      SCOPED_TRACE(field->Name());
      EXPECT_EQ(field->Hint(), "Telephone number");
      EXPECT_EQ(field->Edit()->toolTip().toStdString(), "Telephone number");
      ++numberFields;
    }
  EXPECT_EQ(numberFields, 28);
  for (ui::TEdit* field : {&f.ALARMON, &f.ALARMOFF, &f.RelCode1, &f.RelCode2, &f.RelTime1, &f.RelTime2, &f.FindN}) {
    SCOPED_TRACE(field->Name());
    EXPECT_EQ(field->Hint(), "");
  }

  f.FormClose();
  EXPECT_EQ(IniText(), WithCrLf(kFirstCloseFile));
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST_F(SettingsTest, ATranslationIsShownAndWrittenBackUnchanged) {
  const std::string original =
      "; Czech texts\n"
      "[Form]\n"
      "Top=120\n"
      "Left=80\n"
      "Inicializace=1\n"
      "Extra=kept\n"
      "\n"
      "[Language]\n"
      "Language=Cze\n"
      "Run=Spustit\n"
      "set to KEL=Nastavit\n"
      "Save=\n"
      "camera=kamera\n"
      "[Help]\n"
      "telephone number=Telefonní číslo\n"
      "Monitor=Sledování\n"
      "Unknown=stays\n";
  TForm1& f = Start(original);

  EXPECT_EQ(f.y(), 120);
  EXPECT_EQ(f.x(), 80);
  EXPECT_TRUE(f.Inicializace.Visible());
  EXPECT_TRUE(f.IMEI.Visible());
  EXPECT_EQ(f.V.languageLabel, "Cze");
  EXPECT_EQ(f.RunKEL.Caption(), "Spustit");
  EXPECT_EQ(f.SetTypeRing.Caption(), "Nastavit");
  EXPECT_EQ(f.SaveKEL.Caption(), "");
  EXPECT_EQ(f.Save.Caption(), "");
  EXPECT_EQ(f.RelCam2.Caption(), "kamera");
  EXPECT_EQ(f.BBUTTON7.Hint(), "Telefonní číslo");
  EXPECT_EQ(f.BBUTTON7.Edit()->toolTip(), QString::fromUtf8("Telefonní číslo"));
  EXPECT_EQ(f.TabSheet2.Hint(), "Sledování");
  EXPECT_EQ(f.StopKEL.Caption(), "Stop");

  f.FormClose();
  const std::string written = IniText();
  // Every line of the original file is still there, in its place and order; the keys the
  // file lacked are added at the end of their sections.
  std::string rest = written;
  for (const char* line : {"; Czech texts\r\n[Form]\r\nTop=120\r\nLeft=80\r\nInicializace=1\r\nExtra=kept\r\n"
                           "\r\n[Language]\r\nLanguage=Cze\r\nRun=Spustit\r\nset to KEL=Nastavit\r\nSave=\r\n"
                           "camera=kamera\r\n",
                           "[Help]\r\ntelephone number=Telefonní číslo\r\nMonitor=Sledování\r\nUnknown=stays\r\n"}) {
    SCOPED_TRACE(line);
    const auto at = rest.find(line);
    ASSERT_NE(at, std::string::npos) << written;
    // Nothing is added to "Form" (it has both keys the program writes) nor before "camera".
    if (rest == written) {
      EXPECT_EQ(at, 0u);
    }
    rest = rest.substr(at + std::string(line).size());
  }
  EXPECT_FALSE(ui::Contains(written, "Set to KEL=")) << "a key in another case is the same key";
  EXPECT_FALSE(ui::Contains(written, "\r\nTelephone number="));
  EXPECT_TRUE(ui::Contains(written, "\r\nStop=Stop\r\n"));

  // A second start and close changes nothing more.
  h.form.reset();
  h.Create();
  h.f().FormClose();
  EXPECT_EQ(IniText(), written);
}

TEST_F(SettingsTest, PositionAndServiceSwitchValues) {
  struct Case {
    const char* form;
    int top, left;
    bool service;
  } cases[] = {
      {"Top=abc\nLeft=0x64\nInicializace=1\n", 200, 100, true},
      {"Top=0x64\nLeft=-5\nInicializace=0\n", 100, -5, false},
      {"TOP=7\nleft=\nInicializace=yes\n", 7, 200, false},
      {"Inicializace=0x10\n", 200, 200, true},
      {"Top=-5000\nLeft=90000\n", 200, 200, false},  // on no screen: the default place
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.form);
    h.form.reset();
    ui::WriteFileAtomic(ini, WithCrLf(std::string("[form]\n") + c.form));
    h.Create();
    EXPECT_EQ(h.f().y(), c.top);
    EXPECT_EQ(h.f().x(), c.left);
    EXPECT_EQ(h.f().Inicializace.Visible(), c.service);
    EXPECT_EQ(h.f().IMEI.Visible(), c.service);
  }
}

TEST_F(SettingsTest, TheWindowReopensWhereItWasClosed) {
  TForm1& f = Start();
  f.move(321, 123);
  EXPECT_TRUE(f.close());
  h.form.reset();
  h.Create();
  EXPECT_EQ(h.f().x(), 321);
  EXPECT_EQ(h.f().y(), 123);
}

TEST_F(SettingsTest, AFailedWriteIsReportedAndTheOldFileAndTheCloseStand) {
  const std::string before = "[Language]\nRun=Spustit\n";
  TForm1& f = Start(before);
  f.show();
  ui::g_failNextWriteAfter = 10;
  EXPECT_TRUE(f.close());
  EXPECT_FALSE(f.isVisible());
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "Unable to write to " + ini + ".");
  EXPECT_EQ(IniText(), WithCrLf(before));
}

TEST(Settings, AFolderThatCannotHoldTheFileIsReported) {
  // The executable's folder is a regular file, so nothing can be created "inside" it.
  FormHarness h{"VIRodo", false};
  ui::WriteFileAtomic(h.Path("blocker"), "not a folder");
  h.Create("blocker/VIRodo");
  EXPECT_EQ(h.f().RunKEL.Caption(), "Run");
  h.f().FormClose();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "Unable to write to " + h.Path("blocker/VIRodo.ini") + ".");
}

}  // namespace
