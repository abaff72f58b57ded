// The three packed parameter strings and the controls they stand for: CollectParameters packs
// the controls into the strings, ShowParameters sets the controls from the strings.
#include "app/TForm1.h"
#include "ui/Text.h"

namespace {

constexpr std::size_t kDeviceStringLength = 15;
constexpr std::size_t kRelayStringLength = 8;

int Counted(bool on) { return on ? 1 : 0; }

// The volume code of a track bar at 1..7: 7 (loudest at the top) is code 1.
std::string VolumeCode(const ui::TTrackBar& bar) { return ui::IntToStr(8 - bar.Position()); }

struct RelayControls {
  ui::TEdit& code;
  ui::TEdit& time;
  ui::TRadioButton& sms;
  ui::TRadioButton& sw;
  ui::TRadioButton& camera;
  ui::TRadioButton& light;
  ui::TRadioButton& button;
  ui::TCheckBox& ring;
  ui::TCheckBox& ringAll;
};

RelayControls Relay1Controls(TForm1& f) {
  return {f.RelCode1, f.RelTime1, f.RelSMS1, f.RelSW1, f.RelCam1, f.RelLi1, f.RelBut1, f.RelRing1, f.RelRingAll1};
}

RelayControls Relay2Controls(TForm1& f) {
  return {f.RelCode2, f.RelTime2, f.RelSMS2, f.RelSW2, f.RelCam2, f.RelLi2, f.RelBut2, f.RelRing2, f.RelRingAll2};
}

// code "#" function "#" time "#" ringing switch.
std::string PackRelay(const RelayControls& r) {
  const int function = 1 * Counted(r.sw.Checked()) + 2 * Counted(r.camera.Checked()) +
                       3 * Counted(r.light.Checked()) + 4 * Counted(r.button.Checked()) +
                       4 * Counted(r.ringAll.Checked());
  const int ringing = Counted(r.ring.Checked()) + Counted(r.ringAll.Checked());
  return r.code.Text() + "#" + ui::IntToStr(function) + "#" + r.time.Text() + "#" + ui::IntToStr(ringing);
}

// Sets one relay's controls from its string, replacing a string of the wrong length by the
// fallback first. Each change runs the field rules and the interlocks as it happens.
void ShowRelay(std::string& held, const char* fallback, const RelayControls& r) {
  if (held.size() != kRelayStringLength) held = fallback;
  const std::string s = held;
  r.code.SetText(s.substr(0, 1));
  switch (s[2]) {
    case '0': r.sms.SetChecked(true); break;
    case '1': r.sw.SetChecked(true); break;
    case '2': r.camera.SetChecked(true); break;
    case '3': r.light.SetChecked(true); break;
    case '4': r.button.SetChecked(true); break;
    default: break;  // "5" and anything else: the function selection stays
  }
  r.time.SetText(s.substr(4, 2));
  if (s[7] == '1') {
    r.ring.SetChecked(true);
    if (s[2] == '5') r.ringAll.SetChecked(true);
  }
}

}  // namespace

void TForm1::CollectParameters() {
  const int hangUp = SIMCall.Checked() ? 1 : (AllCall.Checked() ? 2 : 0);
  const int tones = 1 * Counted(TonBeep.Checked()) + 2 * Counted(TonRing.Checked()) + 4 * Counted(TonVoice.Checked());
  const int port = PortEtons.Checked() ? 1 : (PortESMS.Checked() ? 2 : 0);
  V.deviceParameterString = VolumeCode(VolMic) + "#" + VolumeCode(VolSpk) + "#" + ui::IntToStr(hangUp) + "#" +
                            ui::IntToStr(Counted(SendSMS.Checked())) + "#" +
                            ui::IntToStr(Counted(ClockGSM.Checked())) + "#" + ui::IntToStr(tones) + "#" +
                            ui::IntToStr(port) + "#" + "0";
  V.relay1ParameterString = PackRelay(Relay1Controls(*this));
  V.relay2ParameterString = PackRelay(Relay2Controls(*this));
}

void TForm1::ShowParameters() {
  // 1. Tones, SMS, clock and ringing boxes unticked, port group cleared. The call group and
  //    the relay function groups keep their selection.
  for (ui::TCheckBox* box : {&TonBeep, &TonRing, &TonVoice, &SendSMS, &ClockGSM}) box->SetChecked(false);
  for (ui::TRadioButton* button : {&PortDis, &PortEtons, &PortESMS}) button->SetChecked(false);
  for (ui::TCheckBox* box : {&RelRing1, &RelRingAll1, &RelRing2, &RelRingAll2}) box->SetChecked(false);

  // 2. A device string of the wrong length is replaced, and the replacement stays.
  if (V.deviceParameterString.size() != kDeviceStringLength) V.deviceParameterString = kInitialDeviceParameterString;
  const std::string d = V.deviceParameterString;

  // 3. Volumes; the track bars hold the result inside their range.
  VolMic.SetPosition(8 - ui::StrToInt(d.substr(0, 1)));
  VolSpk.SetPosition(8 - ui::StrToInt(d.substr(2, 1)));

  // 4. Call hang-up mode; any other character leaves the group as it was.
  switch (d[4]) {
    case '0': NoCall.SetChecked(true); break;
    case '1': SIMCall.SetChecked(true); break;
    case '2': AllCall.SetChecked(true); break;
    default: break;
  }

  // 5.
  if (d[6] == '1') SendSMS.SetChecked(true);
  if (d[8] == '1') ClockGSM.SetChecked(true);

  // 6. Info-tone mask; higher bits are ignored.
  const int tones = ui::StrToInt(d.substr(10, 1));
  if (tones & 1) TonBeep.SetChecked(true);
  if (tones & 2) TonRing.SetChecked(true);
  if (tones & 4) TonVoice.SetChecked(true);

  // 7. Port mode; any other character leaves the group with nothing selected.
  switch (d[12]) {
    case '0': PortDis.SetChecked(true); break;
    case '1': PortEtons.SetChecked(true); break;
    case '2': PortESMS.SetChecked(true); break;
    default: break;
  }

  // 8. Character 15 and the separators carry nothing to show.

  // 9., 10. The relays, after the device string, so their interlocks have the last word.
  ShowRelay(V.relay1ParameterString, kInitialRelay1ParameterString, Relay1Controls(*this));
  ShowRelay(V.relay2ParameterString, kInitialRelay2ParameterString, Relay2Controls(*this));
}
