// The INI reader and writer behind the settings and UI-text file.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <string>

#include "ui/FileIO.h"
#include "ui/IniFile.h"
#include "ui/Text.h"

namespace {

struct IniFileTest : ::testing::Test {
  QTemporaryDir dir;
  std::string path = dir.path().toStdString() + "/VIRodo.ini";
  void Put(const std::string& bytes) { ui::WriteFileAtomic(path, bytes); }
  std::string Get() const { return ui::ReadFileBytes(path); }
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesTheDefault) {
  const ui::TIniFile none(path);
  EXPECT_EQ(none.ReadString("Form", "Top", "d"), "d");
  EXPECT_EQ(none.ReadInteger("Form", "Top", 200), 200);
  EXPECT_TRUE(none.ReadBool("Form", "Inicializace", true));

  Put("[Form]\r\nTop=5\r\n");
  const ui::TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("Help", "Top", "no section"), "no section");
  EXPECT_EQ(ini.ReadString("Form", "Left", "no key"), "no key");
  EXPECT_EQ(ini.ReadInteger("Form", "Top", 200), 5);
}

TEST_F(IniFileTest, NamesIgnoreLetterCaseAndTheFirstOccurrenceCounts) {
  Put("[language]\nset to kel=Nastavit\nSET TO KEL=second\n[Language]\nRun=other\n");
  const ui::TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("Language", "Set to KEL", "d"), "Nastavit");
  // Only the first section of a name is consulted.
  EXPECT_EQ(ini.ReadString("LANGUAGE", "Run", "d"), "d");
}

TEST_F(IniFileTest, ValuesEmptyTrimmedCommentedAndLong) {
  const std::string longValue(3000, 'x');
  Put("; comment=not a key\r\n[S]\r\nEmpty=\r\n  Spaced  =  a  b  \r\n#Hidden=1\r\nEq=a=b\r\nLong=" + longValue +
      "\r\nNoEquals\r\n");
  const ui::TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "Empty", "default"), "");
  EXPECT_EQ(ini.ReadString("S", "Spaced", "d"), "a  b");
  EXPECT_EQ(ini.ReadString("S", "#Hidden", "d"), "d");
  EXPECT_EQ(ini.ReadString("S", "Eq", "d"), "a=b");
  EXPECT_EQ(ini.ReadString("S", "Long", "d"), longValue.substr(0, 2047));
  EXPECT_EQ(ini.ReadString("S", "NoEquals", "d"), "d");
}

TEST_F(IniFileTest, IntegersAndSwitches) {
  struct Case {
    const char* value;
    int integer;  // read with default 200
    bool on;      // read with default false
  } cases[] = {
      {"100", 100, true},     {"-20", -20, true},  {"+7", 7, true},      {"0x64", 100, true}, {"0X1f", 31, true},
      {"0", 0, false},        {"abc", 200, false}, {"12abc", 200, false}, {"", 200, false},   {"0x", 200, false},
      {"0xZZ", 200, false},   {"99999999999", 200, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("value \"") + c.value + "\"");
    Put(std::string("[Form]\r\nTop=") + c.value + "\r\n");
    const ui::TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Form", "Top", 200), c.integer);
    EXPECT_EQ(ini.ReadBool("Form", "Top", false), c.on);
  }
}

TEST_F(IniFileTest, WritingReplacesInPlaceAddsAtSectionEndAndKeepsTheRest) {
  Put("; translator's note\n[Form]\nTop=1\nUnknown=keep me\n\n[Language]\nrun=Spustit\n");
  ui::TIniFile ini(path);
  ini.WriteInteger("FORM", "top", 300);
  ini.WriteInteger("Form", "Left", 40);
  ini.WriteString("Language", "Run", "Start");
  ini.WriteString("Help", "Save", "Saving.");
  ini.UpdateFile();
  EXPECT_EQ(Get(),
            "; translator's note\r\n[Form]\r\nTop=300\r\nUnknown=keep me\r\nLeft=40\r\n\r\n[Language]\r\n"
            "run=Start\r\n[Help]\r\nSave=Saving.\r\n");
  // What was written reads back.
  const ui::TIniFile again(path);
  EXPECT_EQ(again.ReadInteger("Form", "Left", 0), 40);
  EXPECT_EQ(again.ReadString("help", "save", ""), "Saving.");
}

TEST_F(IniFileTest, ANewFileAndASectionHeaderOnTheLastLine) {
  {
    ui::TIniFile ini(path);
    ini.WriteString("Form", "Top", "1");
    ini.UpdateFile();
  }
  EXPECT_EQ(Get(), "[Form]\r\nTop=1\r\n");
  Put("[Form]\r\nTop=1\r\n[Help]");
  ui::TIniFile ini(path);
  ini.WriteString("Help", "Save", "x");
  ini.UpdateFile();
  EXPECT_EQ(Get(), "[Form]\r\nTop=1\r\n[Help]\r\nSave=x\r\n");
}

TEST_F(IniFileTest, AFailedWriteKeepsTheOldFileAndNamesIt) {
  Put("[Form]\r\nTop=1\r\n");
  ui::TIniFile ini(path);
  ini.WriteInteger("Form", "Top", 2);
  ui::g_failNextWriteAfter = 3;
  try {
    ini.UpdateFile();
    FAIL() << "no error";
  } catch (const ui::Exception& e) {
    EXPECT_TRUE(ui::Contains(e.what(), path)) << e.what();
  }
  EXPECT_EQ(Get(), "[Form]\r\nTop=1\r\n");
}

}  // namespace
