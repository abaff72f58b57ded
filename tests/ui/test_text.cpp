// Integer conversion and the text operations used on received lines and entry fields.
#include <gtest/gtest.h>

#include <optional>

#include "ui/Runtime.h"
#include "ui/Text.h"

namespace {

struct IntCase {
  const char* text;
  std::optional<int> value;  // nothing: the conversion error
};

}  // namespace

TEST(StrToInt, TableOfTexts) {
  const IntCase cases[] = {
      {"0", 0},          {"385", 385},         {"  42", 42},           {"+7", 7},
      {"-13", -13},      {"$1F", 31},          {"x1f", 31},            {"X10", 16},
      {"0x64", 100},     {"0X64", 100},        {"-0x10", -16},         {"  $ff", 255},
      {"007", 7},        {"2147483647", 2147483647},                   {"-2147483648", -2147483647 - 1},
      {"$FFFFFFFF", -1}, {"", std::nullopt},   {" ", std::nullopt},    {"385 ", std::nullopt},
      {"3 85", std::nullopt},                  {"+-1", std::nullopt},  {"--1", std::nullopt},
      {"0x", std::nullopt},                    {"$", std::nullopt},    {"12a", std::nullopt},
      {"a", std::nullopt},                     {"1.5", std::nullopt},  {"2147483648", std::nullopt},
      {"\t5", std::nullopt},                   {"0x1G", std::nullopt}, {"$100000000", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("text '") + c.text + "'");
    if (c.value) {
      EXPECT_EQ(ui::StrToInt(c.text), *c.value);
    } else {
      try {
        ui::StrToInt(c.text);
        ADD_FAILURE() << "no error";
      } catch (const ui::EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), std::string("'") + c.text + "' is not a valid integer value");
      }
    }
  }
}

TEST(StrToInt, DefaultInsteadOfError) {
  EXPECT_EQ(ui::StrToIntDef("abc", 200), 200);
  EXPECT_EQ(ui::StrToIntDef("0x64", 200), 100);
  EXPECT_EQ(ui::StrToIntDef("", 5), 5);
}

TEST(TextOperations, ContainsCutThroughTextBeforeTrim) {
  struct Case {
    const char* s;
    const char* x;
    bool contains;
    const char* afterCut;
    const char* before;
  };
  const Case cases[] = {
      {"#CBC: 0,385", ",", true, "385", "#CBC: 0"},
      {"+CSQ: 17,0", ":", true, " 17,0", "+CSQ"},
      {"no comma here", ",", false, "no comma here", ""},
      {"a,b,c", ",", true, "b,c", "a"},
      {"", ",", false, "", ""},
      {"OK", "ok", false, "OK", ""},           // case-sensitive
      {"+CPBR: (1-250),40,16", "(1-", true, "250),40,16", "+CPBR: "},
      {"x", "", false, "x", ""},              // an empty needle is never found
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.s) + " / " + c.x);
    EXPECT_EQ(ui::Contains(c.s, c.x), c.contains);
    std::string cut = c.s;
    ui::CutThrough(cut, c.x);
    EXPECT_EQ(cut, c.afterCut);
    EXPECT_EQ(ui::TextBefore(c.s, c.x), c.before);
  }
  EXPECT_EQ(ui::Trim(std::string("\x01\t  ab c \r\n\x1f", 13)), "ab c");
  EXPECT_EQ(ui::Trim("   "), "");
  EXPECT_EQ(ui::Trim("\xe9x\xe9"), "\xe9x\xe9");  // bytes above 127 are text, not blanks
}

TEST(TextOperations, SameTextIgnoresLetterCaseOnly) {
  EXPECT_TRUE(ui::SameText("Alice", "ALICE"));
  EXPECT_TRUE(ui::SameText("", ""));
  EXPECT_FALSE(ui::SameText("Alice", "Alice "));
  EXPECT_FALSE(ui::SameText("[", "{"));  // not letters: '[' is not '{' in another case
}

TEST(TextOperations, DisplayKeepsEveryByte) {
  const std::string utf8 = "P\xc5\x99\xc3\xad""klad";  // "Příklad"
  EXPECT_EQ(ui::ToQString(utf8), QString::fromUtf8("Příklad"));
  EXPECT_EQ(ui::FromQString(ui::ToQString(utf8)), utf8);
  // Not UTF-8: shown one byte per character, nothing lost.
  const std::string latin = "Caf\xe9 \xff\x80";
  EXPECT_EQ(ui::ToQString(latin).size(), static_cast<qsizetype>(latin.size()));
  EXPECT_EQ(ui::ToQString(latin).toLatin1().toStdString(), latin);
}

TEST(ErrorBox, FullStopAfterLettersAndDigitsOnly) {
  struct Case {
    const char* message;
    const char* shown;
  };
  const Case cases[] = {
      {"'385 ' is not a valid integer value", "'385 ' is not a valid integer value."},
      {"Disk full", "Disk full."},
      {"Error 5", "Error 5."},
      {"Already ended.", "Already ended."},
      {"Ends with a blank ", "Ends with a blank "},
      {"Ends with a quote'", "Ends with a quote'"},   // ' sorts before "."
      {"Ends with a dash-", "Ends with a dash-"},     // '-' sorts before "."
      {"Ends with a slash/", "Ends with a slash/."},  // '/' sorts after "."
      {"", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(ui::ErrorBoxText(c.message), c.shown);
  }
}
