// The main window: every control of the program (they hold the configuration while the
// program runs), the program-wide values, and one handler per control event. Handler bodies
// live in the folder of the subsystem they belong to:
//   src/app         start-up, close, layout, settings file
//   src/connection  receiving, traffic monitor, response dispatcher and indicators
//   src/config      field rules, interlocks, parameter strings, phone book, device read/write
//   src/files       the configuration file on the PC
//   src/service     run / stop / direct commands, script upload
#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/ProgramValues.h"
#include "connection/ComPort.h"
#include "ui/Controls.h"
#include "ui/LogView.h"
#include "ui/ValueListEditor.h"

class TForm1 : public QWidget {
 public:
  // port: where the device is reached. exePath: the program's own file (its name selects the
  // device photo, and the settings file lies beside it). Runs the start-up (FormCreate).
  TForm1(connection::TComPort& port, std::string exePath, QWidget* parent = nullptr);
  ~TForm1() override;

  // ---- program-wide values -------------------------------------------------------------
  TProgramValues V;
  const std::string& ExePath() const { return exePath_; }
  connection::TComPort& ApdComPort1;

  // Sends text through the port (callers append CR LF where the device needs it).
  void Send(const std::string& text);

  // ---- page control and tabs -------------------------------------------------------------
  ui::TPageControl PageControl1;
  ui::TTabSheet Buttons, PhoneBook, seting, TabSheet2, service;

  // Tab Buttons
  ui::TPageControl KELtyp;
  ui::TTabSheet KELtyp1, KELtyp2;
  ui::TImage KEL1, KELF1, KELL1, Sipka1, Sipkaf1;
  ui::TImage KEL2, KELF2, KELL2, Sipka2a, Sipka2b;
  ui::TPanel WhitePanel1, WhitePanel2a, WhitePanel2b;
  ui::TEdit AABUTTON1, AABUTTON2, AABUTTON3, AABUTTON4, AABUTTON5, AABUTTON6, AABUTTON7;
  ui::TEdit ABUTTON1, ABUTTON2, ABUTTON3, ABUTTON4, ABUTTON5, ABUTTON6, ABUTTON7;
  ui::TEdit BBUTTON1, BBUTTON2, BBUTTON3, BBUTTON4, BBUTTON5, BBUTTON6, BBUTTON7;
  std::array<ui::TLabel, 7> AALabels, ALabels, BLabels;
  std::array<ui::TEdit*, 7> AABUTTON, ABUTTON, BBUTTON;  // the fields 1..7 by index 0..6

  // Tab PhoneBook
  ui::TValueListEditor PhoneBook1;
  ui::TButton LineIn, LineDel;
  ui::TGroupBox GroupBox6;
  ui::TEdit FindN;
  ui::TButton Find;

  // Tab seting
  ui::TPageControl PageControl2;
  ui::TTabSheet Calls, Relays, SMSs, Admin;
  ui::TGroupBox GroupBox1, GroupBox2, GroupBox3, InfoTones;
  ui::TTrackBar VolSpk, VolMic;
  ui::TRadioButton NoCall, SIMCall, AllCall;
  ui::TRadioGroup CallGroup;
  ui::TCheckBox TonBeep, TonRing, TonVoice;
  ui::TGroupBox Relay1, Relay2;
  ui::TRadioButton RelCam1, RelLi1, RelBut1, RelSMS1, RelSW1;
  ui::TRadioButton RelCam2, RelLi2, RelBut2, RelSMS2, RelSW2;
  ui::TRadioGroup Relay1Group, Relay2Group;
  ui::TCheckBox RelRing1, RelRingAll1, RelRing2, RelRingAll2;
  ui::TLabel Label31, Label32, Label33, Label34;
  ui::TEdit RelCode1, RelCode2, RelTime1, RelTime2;
  ui::TLabel Label22, Label23;
  ui::TEdit ALARMON, ALARMOFF;
  ui::TCheckBox SendSMS, ClockGSM;
  ui::TGroupBox Port;
  ui::TRadioButton PortDis, PortEtons, PortESMS;
  ui::TRadioGroup PortGroup;
  ui::TPanel WhitePanelAdmin;
  ui::TEdit ADMIN1, ADMIN2, ADMIN3, ADMIN4, ADMIN5, ADMIN6, ADMIN7;
  std::array<ui::TLabel, 7> AdminLabels;
  std::array<ui::TEdit*, 7> ADMIN;
  ui::TLabel Label35;

  // Tab monitor
  ui::TLogView Monitor;
  ui::TButton SaveMonitor, IMEI, Inicializace;

  // Tab service
  ui::TMemo List;
  ui::TButton LoadList, ClrList, Upgrade;
  ui::TGroupBox GroupBox7;
  ui::TComboBox TypeRing;
  ui::TButton SetTypeRing;

  // Right-hand panel
  ui::TGroupBox GroupBox4;
  ui::TButton RunKEL, StopKEL, SaveKEL, LoadKEL;
  ui::TShape RXDled;
  ui::TGroupBox Battery;
  ui::TProgressBar BVoltage;
  ui::TLabel Voltage;
  ui::TGroupBox GroupBox5;
  ui::TButton Save, Load;

  // Bottom strip
  ui::TPanel Bevel1;
  ui::TButton signal;
  ui::TGauge Smeter;
  ui::TProgressBar Prubeh;
  ui::TStatusBar StatusBar1;

  // Components without a place on the screen
  ui::TTimer Cekani{1000, true};
  ui::TTimer LedTimer{2000, false};
  ui::TSaveDialog SaveDialog1;
  ui::TOpenDialog OpenDialog1;

  // ---- start-up and close (src/app) ------------------------------------------------------
  void FormCreate();
  void FormClose();
  // Settings and UI-text file: window position, service buttons, captions, hints.
  void ReadSettings();
  void WriteSettings();
  std::string SettingsPath() const;
  // Start-up step 9: the device photo that suits the program's file name.
  void ShowDevicePhoto(const std::string& fileName);

  // ---- receiving and monitor (src/connection) -----------------------------------------
  void ApdComPort1TriggerAvail(int count);
  void LedTimerTimer();
  void SaveMonitorClick();
  // The prompt test, after each byte appended to the line buffer: ">>>" during an upload
  // sends the upload buffer.
  void PromptTest();
  // Hands one complete line (in V.receiveLineBuffer) to the response dispatcher.
  void DispatchLine();

  // ---- field rules, interlocks, parameter strings, phone book (src/config) --------------
  void CollectParameters();
  void ShowParameters();
  // Change handlers of the entry fields: clean the text with the field's rule, caret to the
  // end; a telephone field with a twin (the same button number on the other "Buttons" page)
  // then hands its text to the twin.
  void PhoneFieldChange(ui::TEdit& field, ui::TEdit* twin);
  void RelCodeChange(ui::TEdit& field);
  void RelTimeChange(ui::TEdit& field);
  // Option interlocks between the call hang-up options and the relay options.
  void RelRing1Click();
  void RelRingAll1Click();
  void RelRing2Click();
  void RelRingAll2Click();
  void SIMCallClick();
  void AllCallClick();
  void RelSMS1Click();
  void RelCam1Click();
  void RelLi1Click();
  void RelBut1Click();
  void RelSMS2Click();
  void RelCam2Click();
  void RelLi2Click();
  void RelBut2Click();
  void LineInClick();
  void LineDelClick();
  void FindClick();

  // ---- reading and writing the device (src/config) --------------------------------------
  void LoadKELClick();
  void SaveKELClick();
  void LockControls();
  void UnlockControls();
  // Writes one SIM entry into the next SIM slot, or sends a plain "AT" when the name or the
  // number is empty (the entry then takes no slot).
  void WriteSimEntry(const std::string& name, const std::string& number);
  // Steps called by the response dispatcher: a phone-book entry line ("+CPBR") while reading,
  // an "OK" while a write is in progress, and an error reply ("ERROR", "+CME ERROR: n") while
  // a write is in progress.
  void EntryHandler();
  void WriteOkStep();
  void WriteErrorStep();
  // A write step without an answer within the time-out ends the write.
  void WriteTimeoutTimer();
  ui::TTimer WriteTimeout{5000, false};

  // ---- configuration file (src/files) -----------------------------------------------------
  void SaveClick();
  void LoadClick();

  // ---- run, stop, direct commands, script upload (src/service) ---------------------------
  void StopKELClick();
  void RunKELClick();
  void CekaniTimer();
  void signalClick();
  void IMEIClick();
  void TypeRingChange();
  void SetTypeRingClick();
  void InicializaceClick();
  // Shows or hides the service buttons IMEI and Inicializace together.
  void SetServiceButtonsVisible(bool visible);
  void LoadListClick();
  void ClrListClick();
  void UpgradeClick();
  int LoadUploadFile(int index);
  // Steps called by the response dispatcher: the device reports "STOP"; the first "OK" that
  // no upload takes after it queries the operator; an "OK" during an upload ends the current
  // script file and announces the next one.
  void StopStep();
  void QueryOperatorAfterStop();
  void UploadOkStep();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildLayout();
  void ConnectHandlers();
  // Subsystems hook their handlers to the controls here (each defined in its own folder).
  void ConnectConnectionHandlers();
  void ConnectConfigHandlers();
  void ConnectFilesHandlers();
  void ConnectServiceHandlers();
  std::string exePath_;
};
