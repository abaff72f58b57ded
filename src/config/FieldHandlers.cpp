// Change handlers of the entry fields and the click handlers of the option interlocks.
#include "app/TForm1.h"
#include "config/FieldRules.h"

namespace {

// Sets the field to its cleaned text and puts the caret after the last character, so that
// typing always adds characters at the right end.
void CleanField(ui::TEdit& field, std::string (*rule)(const std::string&)) {
  field.SetText(rule(field.Text()));
  field.SetSelStart(static_cast<int>(field.Text().size()));
}

// A relay's ringing box or all-ringing box was clicked: when it is now ticked, incoming
// calls are not hung up, the relay switches, and the relay's other ringing box is unticked.
void RingingBoxClick(TForm1& f, ui::TCheckBox& clicked, ui::TRadioButton& relaySwitch,
                     ui::TCheckBox& otherBox) {
  if (!clicked.Checked()) return;
  f.NoCall.SetChecked(true);
  relaySwitch.SetChecked(true);
  otherBox.SetChecked(false);
}

// A call hang-up mode other than "no" was chosen: relays no longer switch on ringing.
void HangUpModeClick(TForm1& f) {
  if (f.NoCall.Checked()) return;
  f.RelRing1.SetChecked(false);
  f.RelRing2.SetChecked(false);
}

// A relay function other than "switch" was chosen: the relay's ringing boxes are unticked.
void RelayFunctionClick(const ui::TRadioButton& clicked, ui::TCheckBox& ring, ui::TCheckBox& ringAll) {
  if (!clicked.Checked()) return;
  ring.SetChecked(false);
  ringAll.SetChecked(false);
}

}  // namespace

void TForm1::PhoneFieldChange(ui::TEdit& field, ui::TEdit* twin) {
  CleanField(field, config::NormalisePhoneNumber);
  if (twin) twin->SetText(field.Text());
}

void TForm1::RelCodeChange(ui::TEdit& field) { CleanField(field, config::NormaliseRelayCode); }

void TForm1::RelTimeChange(ui::TEdit& field) { CleanField(field, config::NormaliseRelayTime); }

void TForm1::RelRing1Click() { RingingBoxClick(*this, RelRing1, RelSW1, RelRingAll1); }
void TForm1::RelRingAll1Click() { RingingBoxClick(*this, RelRingAll1, RelSW1, RelRing1); }
void TForm1::RelRing2Click() { RingingBoxClick(*this, RelRing2, RelSW2, RelRingAll2); }
void TForm1::RelRingAll2Click() { RingingBoxClick(*this, RelRingAll2, RelSW2, RelRing2); }

void TForm1::SIMCallClick() { HangUpModeClick(*this); }
void TForm1::AllCallClick() { HangUpModeClick(*this); }

void TForm1::RelSMS1Click() { RelayFunctionClick(RelSMS1, RelRing1, RelRingAll1); }
void TForm1::RelCam1Click() { RelayFunctionClick(RelCam1, RelRing1, RelRingAll1); }
void TForm1::RelLi1Click() { RelayFunctionClick(RelLi1, RelRing1, RelRingAll1); }
void TForm1::RelBut1Click() { RelayFunctionClick(RelBut1, RelRing1, RelRingAll1); }
void TForm1::RelSMS2Click() { RelayFunctionClick(RelSMS2, RelRing2, RelRingAll2); }
void TForm1::RelCam2Click() { RelayFunctionClick(RelCam2, RelRing2, RelRingAll2); }
void TForm1::RelLi2Click() { RelayFunctionClick(RelLi2, RelRing2, RelRingAll2); }
void TForm1::RelBut2Click() { RelayFunctionClick(RelBut2, RelRing2, RelRingAll2); }
