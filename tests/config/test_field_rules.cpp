// The entry-field rules as pure functions, and the change handlers that apply them.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <functional>

#include "config/FieldRules.h"
#include "ui/Text.h"
#include "support/FormHarness.h"

namespace {

using Rule = std::string (*)(const std::string&);

struct RuleCase {
  const char* rule;
  Rule fn;
  std::string input;
  std::string expected;
};

const std::string k20 = "12345678901234567890";
const std::string k25 = k20 + "12345";

const RuleCase kRuleCases[] = {
    {"phone", config::NormalisePhoneNumber, " +12 345 ", "+12"},
    {"phone", config::NormalisePhoneNumber, k25, k20},
    {"phone", config::NormalisePhoneNumber, k20, k20},
    {"phone", config::NormalisePhoneNumber, "a", "a"},
    {"phone", config::NormalisePhoneNumber, " a\t", "a"},
    {"phone", config::NormalisePhoneNumber, "a1", ""},
    {"phone", config::NormalisePhoneNumber, "12a", "12"},
    {"phone", config::NormalisePhoneNumber, "12a34", "12"},
    {"phone", config::NormalisePhoneNumber, "+420*12#34", "+420*12#34"},
    {"phone", config::NormalisePhoneNumber, "", ""},
    {"phone", config::NormalisePhoneNumber, "\r\n", ""},
    {"code", config::NormaliseRelayCode, "57", "7"},
    {"code", config::NormaliseRelayCode, "x", "0"},
    {"code", config::NormaliseRelayCode, "", "0"},
    {"code", config::NormaliseRelayCode, "0", "0"},
    {"code", config::NormaliseRelayCode, " 3 ", "3"},
    {"code", config::NormaliseRelayCode, "4x9", "4"},
    {"time", config::NormaliseRelayTime, "5", "05"},
    {"time", config::NormaliseRelayTime, "123", "23"},
    {"time", config::NormaliseRelayTime, "00", "01"},
    {"time", config::NormaliseRelayTime, "1a5", "01"},
    {"time", config::NormaliseRelayTime, "ab", "01"},
    {"time", config::NormaliseRelayTime, "", "01"},
    {"time", config::NormaliseRelayTime, "031", "31"},
    {"time", config::NormaliseRelayTime, "99", "99"},
    {"time", config::NormaliseRelayTime, "100", "01"},
};

}  // namespace

TEST(FieldRules, TableOfInputsAndResults) {
  for (const RuleCase& c : kRuleCases) {
    SCOPED_TRACE(std::string(c.rule) + " rule on \"" + c.input + "\"");
    const std::string once = c.fn(c.input);
    EXPECT_EQ(once, c.expected);
    // Every rule gives its own result back unchanged: this ends the twin exchange.
    EXPECT_EQ(c.fn(once), once);
  }
}

namespace {

// Counts the runs of the change handlers of a set of fields, keeping the real handlers.
struct ChangeCounter {
  std::map<std::string, int> runs;
  void Watch(ui::TEdit& field) {
    ui::Handler real = field.OnChange;
    const std::string name = field.Name();
    field.OnChange = [this, real, name] {
      ++runs[name];
      real();
    };
  }
};

// The window with the change handlers of the twins AABUTTON3 / ABUTTON3 counted.
class TwinFields : public ::testing::Test {
 protected:
  TwinFields() {
    count.Watch(f.ABUTTON3);
    count.Watch(f.AABUTTON3);
  }
  FormHarness h;
  TForm1& f = h.f();
  ChangeCounter count;
};

}  // namespace

TEST_F(TwinFields, ExchangeOnceWhenSetFromCode) {
  f.ABUTTON3.SetText(" 0987654321");

  EXPECT_EQ(f.ABUTTON3.Text(), "0987654321");
  EXPECT_EQ(f.AABUTTON3.Text(), "0987654321");
  EXPECT_EQ(f.ABUTTON3.SelStart(), 10);
  EXPECT_EQ(f.AABUTTON3.SelStart(), 10);
  // The widgets show what the fields hold.
  EXPECT_EQ(f.ABUTTON3.Edit()->text(), QStringLiteral("0987654321"));
  EXPECT_EQ(f.AABUTTON3.Edit()->text(), QStringLiteral("0987654321"));
  // The raw text, then the cleaned text in ABUTTON3; the twin once.
  EXPECT_EQ(count.runs["ABUTTON3"], 2);
  EXPECT_EQ(count.runs["AABUTTON3"], 1);
  // Neighbours and the fields without twin are untouched.
  EXPECT_EQ(f.ABUTTON2.Text(), "");
  EXPECT_EQ(f.BBUTTON3.Text(), "");
}

TEST_F(TwinFields, TypingIntoSinglePageFieldShowsOnTwoButtonPage) {
  // "x" stays alone, "x5" is cut to nothing, a typed blank is trimmed away at once.
  const std::string typed = "x5+42 07";
  QTest::keyClicks(f.AABUTTON3.Edit(), QString::fromStdString(typed));

  EXPECT_EQ(f.AABUTTON3.Text(), "+4207");
  EXPECT_EQ(f.ABUTTON3.Text(), "+4207");
  EXPECT_EQ(f.AABUTTON3.Edit()->text(), QStringLiteral("+4207"));
  EXPECT_EQ(f.ABUTTON3.Edit()->text(), QStringLiteral("+4207"));
  EXPECT_EQ(f.AABUTTON3.SelStart(), 5);
  // Per key: the typed text and at most one cleaning in the field, one pass to the twin.
  const int keys = static_cast<int>(typed.size());
  EXPECT_LE(count.runs["AABUTTON3"], 2 * keys);
  EXPECT_GE(count.runs["AABUTTON3"], keys);
  EXPECT_LE(count.runs["ABUTTON3"], keys);
}

TEST(FieldRules, FieldsWithoutTwinCleanOnlyThemselves) {
  FormHarness h;
  TForm1& f = h.f();
  for (std::size_t i = 0; i < 7; ++i) {
    SCOPED_TRACE("field " + std::to_string(i + 1));
    f.BBUTTON[i]->SetText(" 112 x");
    f.ADMIN[i]->SetText("\t+4207*#a");
    EXPECT_EQ(f.BBUTTON[i]->Text(), "112");
    EXPECT_EQ(f.BBUTTON[i]->SelStart(), 3);
    EXPECT_EQ(f.ADMIN[i]->Text(), "+4207*#");
    EXPECT_EQ(f.ABUTTON[i]->Text(), "");
    EXPECT_EQ(f.AABUTTON[i]->Text(), "");
  }
}

TEST(FieldRules, TypingIntoRelayFields) {
  FormHarness h;
  TForm1& f = h.f();
  struct Step {
    ui::TEdit* field;
    std::function<void()> type;
    std::string expected;
  };
  const std::vector<Step> steps = {
      {&f.RelTime1, [&] { QTest::keyClick(f.RelTime1.Edit(), Qt::Key_1); }, "31"},
      {&f.RelTime1, [&] { QTest::keyClick(f.RelTime1.Edit(), Qt::Key_5); }, "15"},
      {&f.RelTime1, [&] { QTest::keyClick(f.RelTime1.Edit(), Qt::Key_Backspace); }, "01"},
      {&f.RelTime1, [&] { QTest::keyClick(f.RelTime1.Edit(), Qt::Key_A); }, "01"},
      {&f.RelCode1, [&] { QTest::keyClick(f.RelCode1.Edit(), Qt::Key_7); }, "7"},
      {&f.RelCode2, [&] { QTest::keyClick(f.RelCode2.Edit(), Qt::Key_Backspace); }, "0"},
      {&f.RelCode2, [&] { QTest::keyClick(f.RelCode2.Edit(), Qt::Key_9); }, "9"},
      {&f.RelTime2, [&] { QTest::keyClicks(f.RelTime2.Edit(), "42"); }, "42"},
  };
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i) + " on " + steps[i].field->Name());
    steps[i].type();
    EXPECT_EQ(steps[i].field->Text(), steps[i].expected);
    EXPECT_EQ(ui::FromQString(steps[i].field->Edit()->text()), steps[i].expected);
    EXPECT_EQ(steps[i].field->SelStart(), static_cast<int>(steps[i].expected.size()));
  }
}
