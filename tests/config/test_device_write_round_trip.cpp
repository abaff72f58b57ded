// A rich configuration written to the device model and read back into a fresh window.
#include <gtest/gtest.h>

#include "support/FormHarness.h"

namespace {

constexpr int kCapacity = 80;

// Odd but legal texts for all 23 fields, in the write order.
std::vector<std::string> RichFieldTexts() {
  std::vector<std::string> texts = {"+420603111222", "*31#602000111", "#",       "1",
                                    "12345678901234567890", "+",      "00420602123456"};
  for (int i = 1; i <= 7; ++i) texts.push_back("+42073" + std::string(static_cast<std::size_t>(i), '5') + "*" + std::to_string(i));
  for (int i = 1; i <= 7; ++i) texts.push_back(std::to_string(i) + "#" + std::string(static_cast<std::size_t>(8 - i), '9'));
  texts.push_back("Alarm ON: gate #1 = open! (100%)");
  texts.push_back("vyp\xE1nuto *2 ; noc");
  return texts;
}

std::vector<ui::TEdit*> FieldsInWriteOrder(TForm1& f) {
  std::vector<ui::TEdit*> fields(f.ADMIN.begin(), f.ADMIN.end());
  fields.insert(fields.end(), f.ABUTTON.begin(), f.ABUTTON.end());
  fields.insert(fields.end(), f.BBUTTON.begin(), f.BBUTTON.end());
  fields.push_back(&f.ALARMON);
  fields.push_back(&f.ALARMOFF);
  return fields;
}

// 40 rows: blanks, lower-case fixed names, names like fixed ones, "=" inside a number,
// bytes above 127, the longest name the SIM takes.
std::vector<std::string> RichRows() {
  std::vector<std::string> rows = {"admin1=602111222", "ADMIN 1=602111333", "VER =2.1",
                                   "Vr\xE1tnice hlavn\xED=+420 777 300 400", "Sixteen chars ok=1=2=3",
                                   " lead and trail =  55 ", "*#=*#", "Parkel=4#4#0#0#1#7#2#0"};
  for (int i = static_cast<int>(rows.size()); i < 40; ++i)
    rows.push_back("Row " + std::to_string(i) + "=" + std::to_string(600000000 + i * 1111));
  return rows;
}

TEST(DeviceWriteRoundTrip, WhatIsWrittenReadsBackTheSame) {
  // A device full of old entries, so that the write has to delete what it leaves over.
  kel::DeviceConfig old;
  old.simCapacity = kCapacity;
  for (int slot = 1; slot <= kCapacity; ++slot) old.sim[slot] = {"999", "old" + std::to_string(slot)};
  DeviceHarness writer(old);
  TForm1& w = writer.f();
  w.LoadKEL.Click();
  writer.Run();
  ASSERT_EQ(w.V.simCapacity, kCapacity);
  ASSERT_EQ(w.PhoneBook1.RowCount(), kCapacity);

  const std::vector<std::string> texts = RichFieldTexts();
  const std::vector<ui::TEdit*> fields = FieldsInWriteOrder(w);
  ASSERT_EQ(texts.size(), 23u);
  for (std::size_t i = 0; i < fields.size(); ++i) fields[i]->SetText(texts[i]);
  for (std::size_t i = 0; i < fields.size(); ++i) ASSERT_EQ(fields[i]->Text(), texts[i]) << "a legal text";
  w.V.deviceParameterString = "5#3#0#1#1#5#1#0";
  w.V.relay1ParameterString = "7#3#10#0";
  w.V.relay2ParameterString = "9#5#45#1";
  w.ShowParameters();
  w.PhoneBook1.SetStrings(RichRows());

  w.SaveKEL.Click();
  writer.Run();
  ASSERT_TRUE(writer.dialogs.errors.empty()) << writer.dialogs.errors.front();
  EXPECT_FALSE(w.V.writeInProgress);
  EXPECT_TRUE(w.SaveKEL.Enabled());

  // Slots 1 to 66 without gaps, in write order; the rest deleted.
  const auto& sim = writer.model().Sim();
  ASSERT_EQ(sim.size(), 23u + 3u + 40u);
  EXPECT_EQ(sim.begin()->first, 1);
  EXPECT_EQ(sim.rbegin()->first, 66);
  EXPECT_EQ(sim.at(1).name, "ADMIN1");
  EXPECT_EQ(sim.at(24).name, "PARKEL");
  EXPECT_EQ(sim.at(26).number, "9#5#45#1");
  EXPECT_EQ(sim.at(27).name, "admin1");

  kel::DeviceConfig written;
  written.simCapacity = kCapacity;
  written.sim = sim;
  DeviceHarness reader(written);
  TForm1& r = reader.f();
  r.LoadKEL.Click();
  reader.Run();
  EXPECT_TRUE(reader.dialogs.errors.empty());
  const std::vector<ui::TEdit*> readFields = FieldsInWriteOrder(r);
  for (std::size_t i = 0; i < readFields.size(); ++i) {
    SCOPED_TRACE(readFields[i]->Name());
    EXPECT_EQ(readFields[i]->Text(), texts[i]);
  }
  for (std::size_t i = 0; i < r.AABUTTON.size(); ++i) EXPECT_EQ(r.AABUTTON[i]->Text(), texts[7 + i]);
  EXPECT_EQ(r.V.deviceParameterString, "5#3#0#1#1#5#1#0");
  EXPECT_EQ(r.V.relay1ParameterString, "7#3#10#0");
  EXPECT_EQ(r.V.relay2ParameterString, "9#5#45#1");
  // The controls show the same settings: packing them gives the strings again.
  r.CollectParameters();
  EXPECT_EQ(r.V.deviceParameterString, "5#3#0#1#1#5#1#0");
  EXPECT_EQ(r.V.relay1ParameterString, "7#3#10#0");
  EXPECT_EQ(r.V.relay2ParameterString, "9#5#45#1");
  EXPECT_EQ(r.PhoneBook1.Strings(), RichRows());
}

}  // namespace
