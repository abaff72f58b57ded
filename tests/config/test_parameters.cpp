// Packing the controls into the parameter strings and setting the controls from them.
#include <gtest/gtest.h>

#include "support/FormHarness.h"
#include "ui/Text.h"

namespace {

// The controls a parameter string stands for, as one readable text.
std::string Controls(TForm1& f) {
  std::string s = "mic" + std::to_string(f.VolMic.Position()) + " spk" + std::to_string(f.VolSpk.Position());
  auto on = [&](const char* n, bool c) {
    if (c) s += std::string(" ") + n;
  };
  on("NoCall", f.NoCall.Checked());
  on("SIMCall", f.SIMCall.Checked());
  on("AllCall", f.AllCall.Checked());
  on("SendSMS", f.SendSMS.Checked());
  on("ClockGSM", f.ClockGSM.Checked());
  on("TonBeep", f.TonBeep.Checked());
  on("TonRing", f.TonRing.Checked());
  on("TonVoice", f.TonVoice.Checked());
  on("PortDis", f.PortDis.Checked());
  on("PortEtons", f.PortEtons.Checked());
  on("PortESMS", f.PortESMS.Checked());
  s += " | code" + f.RelCode1.Text() + " time" + f.RelTime1.Text();
  on("RelSMS1", f.RelSMS1.Checked());
  on("RelSW1", f.RelSW1.Checked());
  on("RelCam1", f.RelCam1.Checked());
  on("RelLi1", f.RelLi1.Checked());
  on("RelBut1", f.RelBut1.Checked());
  on("RelRing1", f.RelRing1.Checked());
  on("RelRingAll1", f.RelRingAll1.Checked());
  s += " | code" + f.RelCode2.Text() + " time" + f.RelTime2.Text();
  on("RelSMS2", f.RelSMS2.Checked());
  on("RelSW2", f.RelSW2.Checked());
  on("RelCam2", f.RelCam2.Checked());
  on("RelLi2", f.RelLi2.Checked());
  on("RelBut2", f.RelBut2.Checked());
  on("RelRing2", f.RelRing2.Checked());
  on("RelRingAll2", f.RelRingAll2.Checked());
  return s;
}

void Hold(TForm1& f, const std::string& device, const std::string& relay1, const std::string& relay2) {
  f.V.deviceParameterString = device;
  f.V.relay1ParameterString = relay1;
  f.V.relay2ParameterString = relay2;
}

}  // namespace

TEST(Parameters, StartUpControlsPack) {
  FormHarness h;
  TForm1& f = h.f();
  f.CollectParameters();
  EXPECT_EQ(f.V.deviceParameterString, "1#1#0#0#0#0#0#0");
  EXPECT_EQ(f.V.relay1ParameterString, "5#0#03#0");
  EXPECT_EQ(f.V.relay2ParameterString, "6#0#03#0");
}

TEST(Parameters, WorkedExamplesPack) {
  FormHarness h;
  TForm1& f = h.f();
  f.VolMic.SetPosition(3);
  f.VolSpk.SetPosition(5);
  f.AllCall.SetChecked(true);
  f.ClockGSM.SetChecked(true);
  f.TonBeep.SetChecked(true);
  f.TonVoice.SetChecked(true);
  f.PortEtons.SetChecked(true);
  f.RelCode1.SetText("7");
  f.RelLi1.SetChecked(true);
  f.RelTime1.SetText("10");
  f.RelCode2.SetText("0");
  f.RelBut2.SetChecked(true);
  f.RelTime2.SetText("99");
  f.CollectParameters();
  EXPECT_EQ(f.V.deviceParameterString, "5#3#2#0#1#5#1#0");
  EXPECT_EQ(f.V.relay1ParameterString, "7#3#10#0");
  EXPECT_EQ(f.V.relay2ParameterString, "0#4#99#0");
}

TEST(Parameters, InitialStringsDecode) {
  FormHarness h;
  TForm1& f = h.f();
  ASSERT_EQ(f.V.deviceParameterString, "4#4#0#0#1#7#2#0");
  f.ShowParameters();
  EXPECT_EQ(Controls(f),
            "mic4 spk4 NoCall ClockGSM TonBeep TonRing TonVoice PortESMS"
            " | code5 time03 RelSW1 RelRing1 | code6 time03 RelSW2 RelRing2");
}

namespace {

struct DecodeCase {
  const char* name;
  std::string device, relay1, relay2;  // held before ShowParameters
  std::string controls;                 // after ShowParameters
  std::string held[3];                  // the strings after ShowParameters
  std::string packed[3];                // CollectParameters afterwards
};

const std::string kDev = "4#4#0#0#1#7#2#0";
const std::string kR1 = "5#1#03#1";
const std::string kR2 = "6#1#03#1";
const std::string kQuietRelays = " | code5 time03 RelSW1 | code6 time03 RelSW2";

const DecodeCase kDecodeCases[] = {
    {"device string of 14 characters uses the fallback and holds it",
     "4#4#0#0#1#7#2#", "5#1#03#0", "6#1#03#0",
     "mic4 spk4 NoCall ClockGSM TonBeep TonRing TonVoice PortESMS" + kQuietRelays,
     {kDev, "5#1#03#0", "6#1#03#0"},
     {"4#4#0#0#1#7#2#0", "5#1#03#0", "6#1#03#0"}},
    {"device string of 16 characters uses the fallback",
     "1#1#1#1#1#1#1#00", "5#1#03#0", "6#1#03#0",
     "mic4 spk4 NoCall ClockGSM TonBeep TonRing TonVoice PortESMS" + kQuietRelays,
     {kDev, "5#1#03#0", "6#1#03#0"},
     {"4#4#0#0#1#7#2#0", "5#1#03#0", "6#1#03#0"}},
    {"volume codes 0 and 9 are held inside the track bar",
     "0#9#1#1#0#0#0#0", "5#1#03#0", "6#1#03#0",
     "mic7 spk1 SIMCall SendSMS PortDis" + kQuietRelays,
     {"0#9#1#1#0#0#0#0", "5#1#03#0", "6#1#03#0"},
     {"1#7#1#1#0#0#0#0", "5#1#03#0", "6#1#03#0"}},
    {"port digit 3 selects no port; call digit 3 keeps no call selected",
     "1#1#3#0#0#0#3#0", "5#1#03#0", "6#1#03#0",
     "mic7 spk7" + kQuietRelays,
     {"1#1#3#0#0#0#3#0", "5#1#03#0", "6#1#03#0"},
     {"1#1#0#0#0#0#0#0", "5#1#03#0", "6#1#03#0"}},
    {"tone digit 8 ticks no tone",
     "1#1#2#0#0#8#1#0", "5#1#03#0", "6#1#03#0",
     "mic7 spk7 AllCall PortEtons" + kQuietRelays,
     {"1#1#2#0#0#8#1#0", "5#1#03#0", "6#1#03#0"},
     {"1#1#2#0#0#0#1#0", "5#1#03#0", "6#1#03#0"}},
    {"tone digit 9 ticks only the beeps",
     "1#1#2#0#0#9#1#0", "5#1#03#0", "6#1#03#0",
     "mic7 spk7 AllCall TonBeep PortEtons" + kQuietRelays,
     {"1#1#2#0#0#9#1#0", "5#1#03#0", "6#1#03#0"},
     {"1#1#2#0#0#1#1#0", "5#1#03#0", "6#1#03#0"}},
    {"function 5 without ringing keeps the function selection",
     "1#1#2#0#0#0#0#0", "5#5#03#0", "6#5#03#0",
     "mic7 spk7 AllCall PortDis | code5 time03 | code6 time03",
     {"1#1#2#0#0#0#0#0", "5#5#03#0", "6#5#03#0"},
     {"1#1#2#0#0#0#0#0", "5#0#03#0", "6#0#03#0"}},
    {"function 5 with ringing ends with switch and all-ringing only",
     "1#1#1#0#0#0#0#0", "5#5#03#1", "6#5#03#1",
     "mic7 spk7 NoCall PortDis | code5 time03 RelSW1 RelRingAll1 | code6 time03 RelSW2 RelRingAll2",
     {"1#1#1#0#0#0#0#0", "5#5#03#1", "6#5#03#1"},
     {"1#1#0#0#0#0#0#0", "5#5#03#1", "6#5#03#1"}},
    {"function 2 with ringing ends with switch",
     "1#1#0#0#0#0#0#0", "5#2#03#1", "6#3#03#1",
     "mic7 spk7 NoCall PortDis | code5 time03 RelSW1 RelRing1 | code6 time03 RelSW2 RelRing2",
     {"1#1#0#0#0#0#0#0", "5#2#03#1", "6#3#03#1"},
     {"1#1#0#0#0#0#0#0", "5#1#03#1", "6#1#03#1"}},
    {"SIM-only call mode with a ringing relay ends with no hang-up",
     "1#1#1#0#0#0#0#0", "5#0#03#0", "6#4#03#1",
     "mic7 spk7 NoCall PortDis | code5 time03 RelSMS1 | code6 time03 RelSW2 RelRing2",
     {"1#1#1#0#0#0#0#0", "5#0#03#0", "6#4#03#1"},
     {"1#1#0#0#0#0#0#0", "5#0#03#0", "6#1#03#1"}},
    {"relay strings of the wrong length use their fallbacks and hold them",
     "1#1#2#0#0#0#0#0", "5#1#3#1", "",
     "mic7 spk7 NoCall PortDis | code5 time03 RelSW1 RelRing1 | code6 time03 RelSW2 RelRing2",
     {"1#1#2#0#0#0#0#0", kR1, kR2},
     {"1#1#0#0#0#0#0#0", kR1, kR2}},
    {"empty strings all use their fallbacks",
     "", "", "",
     "mic4 spk4 NoCall ClockGSM TonBeep TonRing TonVoice PortESMS"
     " | code5 time03 RelSW1 RelRing1 | code6 time03 RelSW2 RelRing2",
     {kDev, kR1, kR2},
     {"4#4#0#0#1#7#2#0", kR1, kR2}},
    {"relay code and time pass through the field rules",
     "7#1#0#0#0#7#0#0", "x#3#00#0", "9#1#a5#0",
     "mic1 spk7 NoCall TonBeep TonRing TonVoice PortDis | code0 time01 RelLi1 | code9 time01 RelSW2",
     {"7#1#0#0#0#7#0#0", "x#3#00#0", "9#1#a5#0"},
     {"7#1#0#0#0#7#0#0", "0#3#01#0", "9#1#01#0"}},
};

}  // namespace

TEST(Parameters, StringsToControlsAndBack) {
  for (const DecodeCase& c : kDecodeCases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    Hold(f, c.device, c.relay1, c.relay2);
    f.ShowParameters();
    EXPECT_EQ(Controls(f), c.controls);
    EXPECT_EQ(f.V.deviceParameterString, c.held[0]);
    EXPECT_EQ(f.V.relay1ParameterString, c.held[1]);
    EXPECT_EQ(f.V.relay2ParameterString, c.held[2]);
    f.CollectParameters();
    EXPECT_EQ(f.V.deviceParameterString, c.packed[0]);
    EXPECT_EQ(f.V.relay1ParameterString, c.packed[1]);
    EXPECT_EQ(f.V.relay2ParameterString, c.packed[2]);
  }
}

TEST(Parameters, ShowingClearsTheBoxesButKeepsTheGroupSelections) {
  FormHarness h;
  TForm1& f = h.f();
  Hold(f, "1#1#0#0#0#7#0#0", "5#1#03#1", "6#1#03#0");
  f.ShowParameters();
  f.RelCam2.SetChecked(true);
  // Call digit, port digit and relay functions that select nothing.
  Hold(f, "1#1#9#0#0#0#9#0", "5#9#03#0", "6#5#03#0");
  f.ShowParameters();
  EXPECT_EQ(Controls(f), "mic7 spk7 NoCall | code5 time03 RelSW1 | code6 time03 RelCam2");
}

TEST(Parameters, NonDigitStopsAfterTheStepsBefore) {
  struct ErrorCase {
    const char* name;
    std::string device;
    std::string error;
    std::string controls;  // what the earlier steps did
  };
  const ErrorCase cases[] = {
      {"microphone code", "x#1#2#1#1#7#1#0", "'x' is not a valid integer value",
       "mic2 spk3 | code7 time10 RelCam1 | code6 time03"},
      {"speaker code", "2#+#2#1#1#7#1#0", "'+' is not a valid integer value",
       "mic6 spk3 | code7 time10 RelCam1 | code6 time03"},
      {"tone mask", "2#2#2#1#1# #1#0", "' ' is not a valid integer value",
       "mic6 spk6 AllCall SendSMS ClockGSM | code7 time10 RelCam1 | code6 time03"},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    FormHarness h;
    TForm1& f = h.f();
    f.VolMic.SetPosition(2);
    f.VolSpk.SetPosition(3);
    f.TonRing.SetChecked(true);
    f.PortDis.SetChecked(true);
    f.RelCode1.SetText("7");
    f.RelTime1.SetText("10");
    f.RelCam1.SetChecked(true);
    Hold(f, c.device, "1#1#01#1", "2#1#02#1");
    try {
      f.ShowParameters();
      ADD_FAILURE() << "no conversion error";
    } catch (const ui::EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
    EXPECT_EQ(Controls(f), c.controls);
    EXPECT_EQ(f.V.relay1ParameterString, "1#1#01#1");
  }
}

TEST(Parameters, ConversionErrorIsReportedByTheGuard) {
  FormHarness h;
  TForm1& f = h.f();
  f.V.deviceParameterString = "4#4#0#0#1#A#2#0";
  ui::Guard([&] { f.ShowParameters(); });
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "'A' is not a valid integer value.");
  EXPECT_TRUE(f.ClockGSM.Checked());
  EXPECT_FALSE(f.PortESMS.Checked());
}
