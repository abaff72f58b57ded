// The captions and hints that the settings and UI-text file translates: which key sets which
// control, its default text, and the controls that take a copy of it. The order of each table
// is the order in which the keys are read and written.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

class TForm1;

namespace app {

// Section "Language": the caption key is also the default text.
struct CaptionText {
  const char* key;
  ui::TCaptioned* control;
  std::vector<ui::TCaptioned*> copies;
};

// Section "Help".
struct HintText {
  const char* key;
  const char* defaultText;
  ui::TControl* control;
  std::vector<ui::TControl*> copies;
};

std::vector<CaptionText> CaptionTexts(TForm1& f);
std::vector<HintText> HintTexts(TForm1& f);

inline constexpr const char* kFormSection = "Form";
inline constexpr const char* kLanguageSection = "Language";
inline constexpr const char* kHelpSection = "Help";
inline constexpr const char* kLanguageKey = "Language";
inline constexpr const char* kDefaultLanguage = "Eng";
inline constexpr int kDefaultTop = 200;
inline constexpr int kDefaultLeft = 200;

}  // namespace app
