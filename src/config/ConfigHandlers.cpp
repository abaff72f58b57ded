// Hooks the configuration handlers to their controls: field rules, option interlocks, the
// phone-book buttons, and reading and writing the device.
#include "app/TForm1.h"

void TForm1::ConnectConfigHandlers() {
  for (std::size_t i = 0; i < AABUTTON.size(); ++i) {
    ui::TEdit* single = AABUTTON[i];
    ui::TEdit* upper = ABUTTON[i];
    ui::TEdit* lower = BBUTTON[i];
    ui::TEdit* admin = ADMIN[i];
    single->OnChange = [this, single, upper] { PhoneFieldChange(*single, upper); };
    upper->OnChange = [this, single, upper] { PhoneFieldChange(*upper, single); };
    lower->OnChange = [this, lower] { PhoneFieldChange(*lower, nullptr); };
    admin->OnChange = [this, admin] { PhoneFieldChange(*admin, nullptr); };
  }
  RelCode1.OnChange = [this] { RelCodeChange(RelCode1); };
  RelCode2.OnChange = [this] { RelCodeChange(RelCode2); };
  RelTime1.OnChange = [this] { RelTimeChange(RelTime1); };
  RelTime2.OnChange = [this] { RelTimeChange(RelTime2); };

  RelRing1.OnClick = [this] { RelRing1Click(); };
  RelRingAll1.OnClick = [this] { RelRingAll1Click(); };
  RelRing2.OnClick = [this] { RelRing2Click(); };
  RelRingAll2.OnClick = [this] { RelRingAll2Click(); };
  SIMCall.OnClick = [this] { SIMCallClick(); };
  AllCall.OnClick = [this] { AllCallClick(); };
  RelSMS1.OnClick = [this] { RelSMS1Click(); };
  RelCam1.OnClick = [this] { RelCam1Click(); };
  RelLi1.OnClick = [this] { RelLi1Click(); };
  RelBut1.OnClick = [this] { RelBut1Click(); };
  RelSMS2.OnClick = [this] { RelSMS2Click(); };
  RelCam2.OnClick = [this] { RelCam2Click(); };
  RelLi2.OnClick = [this] { RelLi2Click(); };
  RelBut2.OnClick = [this] { RelBut2Click(); };

  LineIn.OnClick = [this] { LineInClick(); };
  LineDel.OnClick = [this] { LineDelClick(); };
  Find.OnClick = [this] { FindClick(); };

  LoadKEL.OnClick = [this] { LoadKELClick(); };
  SaveKEL.OnClick = [this] { SaveKELClick(); };
  WriteTimeout.OnTimer = [this] { WriteTimeoutTimer(); };
}
