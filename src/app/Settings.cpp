// Settings and UI-text file: read at start-up, written at close.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "app/TForm1.h"
#include "app/UiTexts.h"
#include "ui/IniFile.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

void TForm1::ReadSettings() {
  const ui::TIniFile ini(SettingsPath());

  int top = ini.ReadInteger(app::kFormSection, "Top", app::kDefaultTop);
  int left = ini.ReadInteger(app::kFormSection, "Left", app::kDefaultLeft);
  // A position on no screen at all (the monitor it was closed on is gone) would hide the
  // window: it opens at the default place instead.
  const QRect wanted(left, top, width(), height());
  const auto screens = QGuiApplication::screens();
  const bool onAScreen = std::any_of(screens.begin(), screens.end(),
                                     [&](const QScreen* s) { return s->availableGeometry().intersects(wanted); });
  if (!screens.isEmpty() && !onAScreen) {
    top = app::kDefaultTop;
    left = app::kDefaultLeft;
  }
  move(left, top);
  SetServiceButtonsVisible(ini.ReadBool(app::kFormSection, "Inicializace", false));

  V.languageLabel = ini.ReadString(app::kLanguageSection, app::kLanguageKey, app::kDefaultLanguage);
  for (const auto& t : app::CaptionTexts(*this)) {
    t.control->SetCaption(ini.ReadString(app::kLanguageSection, t.key, t.key));
    for (ui::TCaptioned* copy : t.copies) copy->SetCaption(t.control->Caption());
  }

  for (const auto& t : app::HintTexts(*this)) {
    t.control->SetHint(ini.ReadString(app::kHelpSection, t.key, t.defaultText));
    for (ui::TControl* copy : t.copies) copy->SetHint(t.control->Hint());
  }
}

void TForm1::WriteSettings() {
  // "Inicializace" is a service switch set by hand in the file; it is never written.
  ui::TIniFile ini(SettingsPath());
  ini.WriteInteger(app::kFormSection, "Top", y());
  ini.WriteInteger(app::kFormSection, "Left", x());
  ini.WriteString(app::kLanguageSection, app::kLanguageKey, V.languageLabel);
  for (const auto& t : app::CaptionTexts(*this))
    ini.WriteString(app::kLanguageSection, t.key, t.control->Caption());
  for (const auto& t : app::HintTexts(*this)) ini.WriteString(app::kHelpSection, t.key, t.control->Hint());
  try {
    ini.UpdateFile();
  } catch (const ui::Exception&) {
    // The old file stays as it was; the window closes all the same.
    ui::ShowError("Unable to write to " + ini.FileName());
  }
}
