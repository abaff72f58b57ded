#include "app/TForm1.h"

#include <QCloseEvent>
#include <QFileInfo>

#include "ui/Runtime.h"
#include "ui/Text.h"

// The pictures are compiled into the static library; registering them here keeps the linker
// from dropping them.
static void InitPictures() { Q_INIT_RESOURCE(resources); }

namespace {
const QColor kWhite(255, 255, 255);
const QColor kMonitorGrey(192, 192, 192);
const QColor kLime(0, 255, 0);
const QColor kGaugeGrey(128, 128, 128);
}  // namespace

TForm1::TForm1(connection::TComPort& port, std::string exePath, QWidget* parent)
    : QWidget(parent), ApdComPort1(port), exePath_(std::move(exePath)) {
  InitPictures();
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("VIRodo"));
  setFixedSize(613, 503);
  QFont f = font();
  f.setPointSize(8);
  setFont(f);
  BuildLayout();
  ConnectHandlers();
  // The creation handler runs like any other handler: inside the gate and the error guard.
  ui::EventGate::Hold hold;
  ui::Guard([this] { FormCreate(); });
}

TForm1::~TForm1() { ApdComPort1.OnTriggerAvail = nullptr; }

void TForm1::Send(const std::string& text) { ApdComPort1.PutString(text); }

void TForm1::closeEvent(QCloseEvent* event) {
  {
    ui::EventGate::Hold hold;
    ui::Guard([this] { FormClose(); });
  }
  event->accept();
}

// -----------------------------------------------------------------------------------------
void TForm1::FormCreate() {
  // 1. Settings and UI-text file.
  ReadSettings();
  // 2. Program-wide values.
  V.receiveLineBuffer.clear();
  V.uploadInProgress = false;
  V.queryOperatorAfterStop = false;
  V.firstPhoneBookEntry = true;
  // 3.
  SaveKEL.SetEnabled(false);
  // 4.
  Cekani.SetEnabled(false);
  // 5. Position first, then the minimum (the maximum stays 420).
  BVoltage.SetPosition(300);
  BVoltage.SetMin(300);
  // 6. Echo off; the first send opens the port.
  Send("ATE0\r\n");
  // 7.
  ui::Pause(200);
  // 8.
  V.deviceParameterString = kInitialDeviceParameterString;
  V.relay1ParameterString = kInitialRelay1ParameterString;
  V.relay2ParameterString = kInitialRelay2ParameterString;
  // 9.
  ShowDevicePhoto(ui::FromQString(QFileInfo(ui::ToQString(exePath_)).fileName()));
}

void TForm1::ShowDevicePhoto(const std::string& fileName) {
  if (ui::Contains(fileName, "Vock")) {
    KELF1.SetVisible(true);
    KELF2.SetVisible(true);
    Sipkaf1.SetVisible(true);
  } else if (ui::Contains(fileName, "Qu")) {
    // The "Qu" variant shows the same pictures as "Vock".
    KELF1.SetVisible(true);
    KELF2.SetVisible(true);
    Sipkaf1.SetVisible(true);
  } else if (ui::Contains(fileName, "GSM Orv")) {
    KELL1.SetVisible(true);
    KELL2.SetVisible(true);
    Sipkaf1.SetVisible(true);
    setWindowTitle(QStringLiteral("Pema GSM Orv Manager"));
  } else {
    KEL1.SetVisible(true);
    KEL2.SetVisible(true);
    Sipka1.SetVisible(true);
  }
}

void TForm1::FormClose() { WriteSettings(); }

std::string TForm1::SettingsPath() const {
  // The program's own path with its extension replaced by ".ini" (added when it has none).
  const auto slash = exePath_.find_last_of('/');
  const auto dot = exePath_.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return exePath_ + ".ini";
  return exePath_.substr(0, dot) + ".ini";
}

void TForm1::SetServiceButtonsVisible(bool visible) {
  Inicializace.SetVisible(visible);
  IMEI.SetVisible(visible);
}

// -----------------------------------------------------------------------------------------
void TForm1::ConnectHandlers() {
  ConnectConnectionHandlers();
  ConnectConfigHandlers();
  ConnectFilesHandlers();
  ConnectServiceHandlers();
}

void TForm1::BuildLayout() {
  QWidget* form = this;

  // ---- page control
  PageControl1.Create(form, "PageControl1", 0, 0, 497, 449, 40);
  Buttons.Create(PageControl1, "Buttons", "Buttons", ":/tab_buttons.png");
  PhoneBook.Create(PageControl1, "PhoneBook", "PhoneBook", ":/tab_phonebook.png");
  seting.Create(PageControl1, "seting", "seting", ":/tab_setting.png");
  TabSheet2.Create(PageControl1, "TabSheet2", "monitor", ":/tab_monitor.png");
  service.Create(PageControl1, "service", "service", ":/tab_service.png");
  PageControl1.SetActivePage(Buttons);

  // ---- tab Buttons: two pages, one per device variant
  KELtyp.Create(Buttons.Page(), "KELtyp", 4, 4, 485, 372);
  KELtyp1.Create(KELtyp, "KELtyp1", "1");
  KELtyp2.Create(KELtyp, "KELtyp2", "2 buttons");
  KELtyp.SetActivePage(KELtyp1);

  QWidget* p1 = KELtyp1.Page();
  KEL1.Create(p1, "KEL1", 8, 8, 150, 330, ":/kel1.jpg");
  KELF1.Create(p1, "KELF1", 8, 8, 150, 330, ":/kelf1.jpg");
  KELL1.Create(p1, "KELL1", 8, 8, 150, 330, ":/kell1.jpg");
  WhitePanel1.Create(p1, "WhitePanel1", 210, 8, 255, 330, kWhite, true);
  Sipka1.Create(p1, "Sipka1", 160, 214, 48, 24, ":/arrow_left.png");
  Sipkaf1.Create(p1, "Sipkaf1", 160, 214, 48, 24, ":/arrow_left_f.png");
  for (ui::TImage* img : {&KEL1, &KELF1, &KELL1, &Sipka1, &Sipkaf1}) img->SetVisible(false);

  QWidget* p2 = KELtyp2.Page();
  KEL2.Create(p2, "KEL2", 8, 8, 150, 330, ":/kel2.jpg");
  KELF2.Create(p2, "KELF2", 8, 8, 150, 330, ":/kelf2.jpg");
  KELL2.Create(p2, "KELL2", 8, 8, 150, 330, ":/kell2.jpg");
  for (ui::TImage* img : {&KEL2, &KELF2, &KELL2}) img->SetVisible(false);
  WhitePanel2a.Create(p2, "WhitePanel2a", 210, 8, 255, 163, kWhite, true);
  WhitePanel2b.Create(p2, "WhitePanel2b", 210, 175, 255, 163, kWhite, true);
  Sipka2a.Create(p2, "Sipka2a", 160, 168, 48, 24, ":/arrow_left.png");
  Sipka2b.Create(p2, "Sipka2b", 160, 242, 48, 24, ":/arrow_left.png");
  Sipka2a.SetVisible(true);  // the two-button page always shows its two arrows
  Sipka2b.SetVisible(true);

  AABUTTON = {&AABUTTON1, &AABUTTON2, &AABUTTON3, &AABUTTON4, &AABUTTON5, &AABUTTON6, &AABUTTON7};
  ABUTTON = {&ABUTTON1, &ABUTTON2, &ABUTTON3, &ABUTTON4, &ABUTTON5, &ABUTTON6, &ABUTTON7};
  BBUTTON = {&BBUTTON1, &BBUTTON2, &BBUTTON3, &BBUTTON4, &BBUTTON5, &BBUTTON6, &BBUTTON7};
  ADMIN = {&ADMIN1, &ADMIN2, &ADMIN3, &ADMIN4, &ADMIN5, &ADMIN6, &ADMIN7};
  for (int i = 0; i < 7; ++i) {
    const std::string n = std::to_string(i + 1);
    const int y1 = 60 + i * 30;
    AALabels[i].Create(WhitePanel1.Widget(), "LabelAA" + n, 10, y1 + 3, 70, 16, "ABUTTON" + n);
    AABUTTON[i]->Create(WhitePanel1.Widget(), "AABUTTON" + n, 82, y1, 160, 21);
    const int y2 = 8 + i * 21;
    ALabels[i].Create(WhitePanel2a.Widget(), "LabelA" + n, 10, y2 + 3, 70, 16, "ABUTTON" + n);
    ABUTTON[i]->Create(WhitePanel2a.Widget(), "ABUTTON" + n, 82, y2, 160, 20);
    BLabels[i].Create(WhitePanel2b.Widget(), "LabelB" + n, 10, y2 + 3, 70, 16, "BBUTTON" + n);
    BBUTTON[i]->Create(WhitePanel2b.Widget(), "BBUTTON" + n, 82, y2, 160, 20);
  }

  // ---- tab PhoneBook
  QWidget* pb = PhoneBook.Page();
  PhoneBook1.Create(pb, "PhoneBook1", 8, 8, 305, 364);
  LineIn.Create(pb, "LineIn", 328, 8, 150, 27, "Insert line", ":/glyph_insert.png");
  LineDel.Create(pb, "LineDel", 328, 42, 150, 27, "Delete Line", ":/glyph_delete.png");
  GroupBox6.Create(pb, "GroupBox6", 328, 84, 150, 92, "Find Name");
  FindN.Create(GroupBox6.Widget(), "FindN", 10, 24, 130, 21);
  Find.Create(GroupBox6.Widget(), "Find", 10, 54, 130, 27, "Find", ":/glyph_find.png");

  // ---- tab seting
  PageControl2.Create(seting.Page(), "PageControl2", 4, 4, 485, 372);
  Calls.Create(PageControl2, "Calls", "Calls");
  Relays.Create(PageControl2, "Relays", "Relays");
  SMSs.Create(PageControl2, "SMSs", "SMSs");
  Admin.Create(PageControl2, "Admin", "Admin");
  PageControl2.SetActivePage(Calls);

  QWidget* calls = Calls.Page();
  GroupBox1.Create(calls, "GroupBox1", 8, 8, 100, 200, "Volume Spk");
  VolSpk.Create(GroupBox1.Widget(), "VolSpk", 30, 24, 40, 166, true, 1, 7, 7);
  GroupBox2.Create(calls, "GroupBox2", 116, 8, 100, 200, "Volume Mic");
  VolMic.Create(GroupBox2.Widget(), "VolMic", 30, 24, 40, 166, true, 1, 7, 7);
  GroupBox3.Create(calls, "GroupBox3", 224, 8, 245, 100, "Incomming Call hang up");
  NoCall.Create(GroupBox3.Widget(), "NoCall", 12, 22, 225, 20, "No - ringing switch");
  SIMCall.Create(GroupBox3.Widget(), "SIMCall", 12, 46, 225, 20, "only from SIM");
  AllCall.Create(GroupBox3.Widget(), "AllCall", 12, 70, 225, 20, "all");
  for (auto* r : {&NoCall, &SIMCall, &AllCall}) CallGroup.Add(*r);
  InfoTones.Create(calls, "InfoTones", 224, 116, 245, 100, "Info Tones");
  TonBeep.Create(InfoTones.Widget(), "TonBeep", 12, 22, 225, 20, "Beeps");
  TonRing.Create(InfoTones.Widget(), "TonRing", 12, 46, 225, 20, "Ring Tones");
  TonVoice.Create(InfoTones.Widget(), "TonVoice", 12, 70, 225, 20, "Voice Messages");

  QWidget* relays = Relays.Page();
  struct RelayControls {
    ui::TGroupBox& box;
    ui::TRadioButton &cam, &li, &but, &sms, &sw;
    ui::TRadioGroup& group;
    ui::TCheckBox &ring, &ringAll;
    ui::TLabel &codeLabel, &timeLabel;
    ui::TEdit &code, &time;
    const char* n;
    const char* caption;
    const char* ringCaption;
    const char* codeText;
    const char* codeLabelName;
    const char* timeLabelName;
    int left;
  };
  RelayControls relayControls[] = {
      {Relay1, RelCam1, RelLi1, RelBut1, RelSMS1, RelSW1, Relay1Group, RelRing1, RelRingAll1, Label31, Label33,
       RelCode1, RelTime1, "1", "Relay 1", "switch SIM ringing", "5", "Label31", "Label33", 8},
      {Relay2, RelCam2, RelLi2, RelBut2, RelSMS2, RelSW2, Relay2Group, RelRing2, RelRingAll2, Label32, Label34,
       RelCode2, RelTime2, "2", "Relay 2", "switch from ringing", "6", "Label32", "Label34", 240},
  };
  for (auto& r : relayControls) {
    const std::string n = r.n;
    r.box.Create(relays, "Relay" + n, r.left, 8, 225, 340, r.caption);
    QWidget* b = r.box.Widget();
    r.cam.Create(b, "RelCam" + n, 12, 22, 205, 20, "camera");
    r.li.Create(b, "RelLi" + n, 12, 46, 205, 20, "light");
    r.but.Create(b, "RelBut" + n, 12, 70, 205, 20, "button");
    r.sms.Create(b, "RelSMS" + n, 12, 94, 205, 20, "SMS switch");
    r.sw.Create(b, "RelSW" + n, 12, 118, 205, 20, "switch");
    for (auto* rb : {&r.cam, &r.li, &r.but, &r.sms, &r.sw}) r.group.Add(*rb);
    r.ring.Create(b, "RelRing" + n, 12, 156, 205, 20, r.ringCaption);
    r.ringAll.Create(b, "RelRingAll" + n, 12, 180, 205, 20, "switch all ringing");
    r.codeLabel.Create(b, r.codeLabelName, 12, 225, 120, 16, "switching code");
    r.code.Create(b, "RelCode" + n, 140, 222, 40, 21, r.codeText);
    r.timeLabel.Create(b, r.timeLabelName, 12, 257, 120, 16, "switching time");
    r.time.Create(b, "RelTime" + n, 140, 254, 40, 21, "03");
  }

  QWidget* sms = SMSs.Page();
  Label22.Create(sms, "Label22", 12, 15, 110, 16, "SMS ALARM ON");
  ALARMON.Create(sms, "ALARMON", 130, 12, 330, 21);
  Label23.Create(sms, "Label23", 12, 47, 110, 16, "SMS ALARM OFF");
  ALARMOFF.Create(sms, "ALARMOFF", 130, 44, 330, 21);
  SendSMS.Create(sms, "SendSMS", 12, 84, 330, 20, "SMSs with opening numbers ");
  ClockGSM.Create(sms, "ClockGSM", 12, 110, 330, 20, "Clock from GSM");
  Port.Create(sms, "Port", 12, 144, 200, 100, "Port");
  PortDis.Create(Port.Widget(), "PortDis", 12, 22, 180, 20, "disable");
  PortEtons.Create(Port.Widget(), "PortEtons", 12, 46, 180, 20, "enable tons");
  PortESMS.Create(Port.Widget(), "PortESMS", 12, 70, 180, 20, "enable SMSs");
  for (auto* r : {&PortDis, &PortEtons, &PortESMS}) PortGroup.Add(*r);

  QWidget* admin = Admin.Page();
  Label35.Create(admin, "Label35", 12, 10, 455, 16, "Phone number for SMSs with opening numbers ");
  WhitePanelAdmin.Create(admin, "WhitePanelAdmin", 12, 32, 255, 163, kWhite, true);
  for (int i = 0; i < 7; ++i) {
    const std::string n = std::to_string(i + 1);
    const int y = 8 + i * 21;
    AdminLabels[i].Create(WhitePanelAdmin.Widget(), "LabelAdmin" + n, 10, y + 3, 70, 16, "ADMIN" + n);
    ADMIN[i]->Create(WhitePanelAdmin.Widget(), "ADMIN" + n, 82, y, 160, 20);
  }

  // ---- tab monitor
  QWidget* mon = TabSheet2.Page();
  Monitor.Create(mon, "Monitor", 4, 4, 485, 336);
  Monitor.SetBackground(kMonitorGrey);
  SaveMonitor.Create(mon, "SaveMonitor", 4, 346, 110, 27, "Save Log", ":/glyph_savelog.png");
  IMEI.Create(mon, "IMEI", 284, 346, 95, 27, "IMEI");
  Inicializace.Create(mon, "Inicializace", 385, 346, 104, 27, "Inicializace");
  Inicializace.SetFontColor(QColor(255, 0, 0));

  // ---- tab service
  QWidget* svc = service.Page();
  List.Create(svc, "List", 4, 4, 300, 372);
  List.SetBackground(kMonitorGrey);
  LoadList.Create(svc, "LoadList", 314, 4, 165, 27, "Load List", ":/glyph_loadlist.png");
  ClrList.Create(svc, "ClrList", 314, 38, 165, 27, "Clear List", ":/glyph_clear.png");
  Upgrade.Create(svc, "Upgrade", 314, 72, 165, 27, "Upgrade", ":/glyph_upgrade.png");
  GroupBox7.Create(svc, "GroupBox7", 314, 116, 165, 96, "Ring");
  std::vector<std::string> rings;
  for (int i = 1; i <= 30; ++i) rings.push_back(std::to_string(i));
  TypeRing.Create(GroupBox7.Widget(), "TypeRing", 12, 24, 70, 22, rings, 0);
  SetTypeRing.Create(GroupBox7.Widget(), "SetTypeRing", 12, 56, 141, 27, "set to KEL", ":/glyph_ring.png");

  // ---- right-hand panel
  GroupBox4.Create(form, "GroupBox4", 496, 16, 113, 329, "KEL");
  QWidget* kel = GroupBox4.Widget();
  RunKEL.Create(kel, "RunKEL", 8, 22, 97, 27, "Run", ":/glyph_run.png");
  StopKEL.Create(kel, "StopKEL", 8, 54, 97, 27, "Stop", ":/glyph_stop.png");
  LoadKEL.Create(kel, "LoadKEL", 8, 94, 97, 27, "Load", ":/glyph_device_load.png");
  SaveKEL.Create(kel, "SaveKEL", 8, 126, 97, 27, "Save", ":/glyph_device_save.png");
  RXDled.Create(kel, "RXDled", 96, 4, 11, 9, kLime);
  RXDled.SetVisible(false);
  Battery.Create(kel, "Battery", 8, 162, 97, 160, "Battery");
  BVoltage.Create(Battery.Widget(), "BVoltage", 36, 22, 25, 108, true, 0, 420, 0);
  Voltage.Create(Battery.Widget(), "Voltage", 4, 136, 89, 16, "Voltage");
  Voltage.Label()->setAlignment(Qt::AlignCenter);

  GroupBox5.Create(form, "GroupBox5", 496, 352, 113, 97, "PC");
  Save.Create(GroupBox5.Widget(), "Save", 8, 24, 97, 29, "Save", ":/glyph_pc_save.png");
  Load.Create(GroupBox5.Widget(), "Load", 8, 60, 97, 29, "Load", ":/glyph_pc_load.png");

  // ---- bottom strip
  Bevel1.Create(form, "Bevel1", 0, 456, 609, 25, QColor(), true);
  Bevel1.SetHint("Signal is good, when color is green or blue.");
  signal.Create(form, "signal", 8, 460, 57, 17, "signal");
  Smeter.Create(form, "Smeter", 80, 464, 521, 9, 0, 31);
  Smeter.SetBackColor(kGaugeGrey);
  Prubeh.Create(form, "Prubeh", 24, 460, 561, 17, false, 0, 100, 0);
  Prubeh.SetVisible(false);
  StatusBar1.Create(form, "StatusBar1", 0, 481, 613, 22,
                    {{" Operator:", 190}, {" board voltage:", 160}, {" SIM:", 60}, {"  Ver: 2.2", 75}, {" KEL Ver:", 60}});
}
