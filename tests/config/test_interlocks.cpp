// The option interlocks, as sequences of clicks and the states they leave.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <functional>

#include "support/FormHarness.h"

namespace {

// A control and how a user changes it.
struct Action {
  const char* what;
  std::function<void(TForm1&)> run;
};

Action Tick(const char* name, ui::TCheckBox TForm1::*box, bool on = true) {
  return {name, [box, on](TForm1& f) { (f.*box).SetChecked(on); }};
}
Action Select(const char* name, ui::TRadioButton TForm1::*button) {
  return {name, [button](TForm1& f) { (f.*button).SetChecked(true); }};
}

// The state of every control the interlocks touch, as one readable text.
std::string State(TForm1& f) {
  std::string s;
  auto radio = [&](const char* n, const ui::TRadioButton& b) {
    if (b.Checked()) s += std::string(n) + " ";
  };
  auto box = [&](const char* n, const ui::TCheckBox& b) {
    if (b.Checked()) s += std::string(n) + " ";
  };
  radio("NoCall", f.NoCall);
  radio("SIMCall", f.SIMCall);
  radio("AllCall", f.AllCall);
  radio("RelSMS1", f.RelSMS1);
  radio("RelSW1", f.RelSW1);
  radio("RelCam1", f.RelCam1);
  radio("RelLi1", f.RelLi1);
  radio("RelBut1", f.RelBut1);
  box("RelRing1", f.RelRing1);
  box("RelRingAll1", f.RelRingAll1);
  radio("RelSMS2", f.RelSMS2);
  radio("RelSW2", f.RelSW2);
  radio("RelCam2", f.RelCam2);
  radio("RelLi2", f.RelLi2);
  radio("RelBut2", f.RelBut2);
  box("RelRing2", f.RelRing2);
  box("RelRingAll2", f.RelRingAll2);
  if (!s.empty()) s.pop_back();
  return s;
}

struct InterlockCase {
  const char* name;
  std::vector<Action> clicks;
  std::string expected;
};

}  // namespace

TEST(Interlocks, SequencesOfClicks) {
  const InterlockCase cases[] = {
      {"ringing box 1 selects no hang-up and switch",
       {Tick("RelRing1", &TForm1::RelRing1)},
       "NoCall RelSW1 RelRing1"},
      {"all-ringing 1 while all calls hang up",
       {Select("AllCall", &TForm1::AllCall), Tick("RelRing1", &TForm1::RelRing1),
        Tick("RelRingAll1", &TForm1::RelRingAll1)},
       "NoCall RelSW1 RelRingAll1"},
      {"choosing all calls afterwards keeps all-ringing",
       {Select("AllCall", &TForm1::AllCall), Tick("RelRingAll1", &TForm1::RelRingAll1),
        Select("AllCall", &TForm1::AllCall)},
       "AllCall RelSW1 RelRingAll1"},
      {"ringing 2 on camera selects switch and no hang-up",
       {Select("RelCam2", &TForm1::RelCam2), Tick("RelRing2", &TForm1::RelRing2)},
       "NoCall RelSW2 RelRing2"},
      {"ringing 2 on camera, then light",
       {Select("RelCam2", &TForm1::RelCam2), Tick("RelRing2", &TForm1::RelRing2),
        Select("RelLi2", &TForm1::RelLi2)},
       "NoCall RelLi2"},
      {"ringing then all-ringing on relay 2 leaves only all-ringing",
       {Tick("RelRing2", &TForm1::RelRing2), Tick("RelRingAll2", &TForm1::RelRingAll2)},
       "NoCall RelSW2 RelRingAll2"},
      {"another function and back to switch",
       {Tick("RelRing1", &TForm1::RelRing1), Select("RelSMS1", &TForm1::RelSMS1),
        Tick("RelRingAll1", &TForm1::RelRingAll1), Select("RelSW1", &TForm1::RelSW1)},
       "NoCall RelSW1 RelRingAll1"},
      {"SIM-only unticks both ringing boxes only",
       {Tick("RelRing1", &TForm1::RelRing1), Tick("RelRingAll2", &TForm1::RelRingAll2),
        Select("SIMCall", &TForm1::SIMCall)},
       "SIMCall RelSW1 RelSW2 RelRingAll2"},
      {"all calls unticks ringing of both relays",
       {Tick("RelRing1", &TForm1::RelRing1), Tick("RelRing2", &TForm1::RelRing2),
        Select("AllCall", &TForm1::AllCall)},
       "AllCall RelSW1 RelSW2"},
      {"unticking a ringing box changes nothing else",
       {Select("SIMCall", &TForm1::SIMCall), Select("RelCam1", &TForm1::RelCam1),
        Tick("RelRing1", &TForm1::RelRing1), Tick("RelRing1 off", &TForm1::RelRing1, false)},
       "NoCall RelSW1"},
      {"each relay function other than switch unticks its relay's boxes",
       {Tick("RelRing1", &TForm1::RelRing1), Select("RelCam1", &TForm1::RelCam1),
        Tick("RelRingAll1", &TForm1::RelRingAll1), Select("RelLi1", &TForm1::RelLi1),
        Tick("RelRing1", &TForm1::RelRing1), Select("RelBut1", &TForm1::RelBut1),
        Tick("RelRingAll2", &TForm1::RelRingAll2), Select("RelSMS2", &TForm1::RelSMS2),
        Tick("RelRing2", &TForm1::RelRing2), Select("RelBut2", &TForm1::RelBut2)},
       "NoCall RelBut1 RelBut2"},
      {"relay functions of one relay leave the other relay alone",
       {Tick("RelRing1", &TForm1::RelRing1), Tick("RelRingAll2", &TForm1::RelRingAll2),
        Select("RelCam1", &TForm1::RelCam1)},
       "NoCall RelCam1 RelSW2 RelRingAll2"},
  };
  for (const InterlockCase& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    for (const Action& a : c.clicks) a.run(h.f());
    EXPECT_EQ(State(h.f()), c.expected);
  }
}

TEST(Interlocks, UserClicksGoThroughTheSameHandlers) {
  FormHarness h;
  TForm1& f = h.f();
  f.AllCall.SetChecked(true);
  f.RelCam1.SetChecked(true);
  // A real mouse click on the widget.
  qobject_cast<QAbstractButton*>(f.RelRingAll1.Widget())->click();
  EXPECT_EQ(State(f), "NoCall RelSW1 RelRingAll1");
  qobject_cast<QAbstractButton*>(f.RelLi1.Widget())->click();
  EXPECT_EQ(State(f), "NoCall RelLi1");
}

TEST(Interlocks, SwitchNoCallAndPortButtonsUntickNothing) {
  FormHarness h;
  TForm1& f = h.f();
  // Tick all four ringing boxes with their own handlers out of the way, then choose the
  // controls that have no interlock.
  for (ui::TCheckBox* box : {&f.RelRing1, &f.RelRingAll1, &f.RelRing2, &f.RelRingAll2}) {
    const ui::Handler handler = box->OnClick;
    box->OnClick = nullptr;
    box->SetChecked(true);
    box->OnClick = handler;
  }
  for (ui::TRadioButton* button : {&f.RelSW1, &f.RelSW2, &f.NoCall, &f.PortDis, &f.PortEtons, &f.PortESMS})
    button->SetChecked(true);
  for (ui::TCheckBox* box : {&f.TonBeep, &f.TonRing, &f.TonVoice, &f.SendSMS, &f.ClockGSM}) box->SetChecked(true);
  EXPECT_EQ(State(f), "NoCall RelSW1 RelRing1 RelRingAll1 RelSW2 RelRing2 RelRingAll2");
}
