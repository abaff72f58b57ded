// The shipped Czech translation: complete, shown on every control, nothing clipped. Renders
// each tab to build/screens/cs-*.png for review.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "app/UiTexts.h"
#include "support/FormHarness.h"
#include "ui/FileIO.h"
#include "ui/IniFile.h"

namespace {

const std::string kTranslation = std::string(VIRODO_SOURCE_DIR) + "/translations/VIRodo-cs.ini";
const std::string kMissing = "\x01missing";

struct CzechWindow : ::testing::Test {
  FormHarness h{"VIRodo", false};
  void SetUp() override {
    ui::WriteFileAtomic(h.Path("VIRodo.ini"), ui::ReadFileBytes(kTranslation));
    h.Create();
  }
};

TEST_F(CzechWindow, EveryCaptionAndHintIsTranslated) {
  const ui::TIniFile ini(kTranslation);
  TForm1& f = h.f();
  EXPECT_EQ(f.V.languageLabel, "Cze");
  for (const auto& t : app::CaptionTexts(f)) {
    SCOPED_TRACE(t.key);
    const std::string text = ini.ReadString(app::kLanguageSection, t.key, kMissing);
    ASSERT_NE(text, kMissing);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(t.control->Caption(), text);
    for (const auto* copy : t.copies) EXPECT_EQ(copy->Caption(), text);
  }
  int hints = 0;
  for (const auto& t : app::HintTexts(f)) {
    SCOPED_TRACE(t.key);
    const std::string text = ini.ReadString(app::kHelpSection, t.key, kMissing);
    ASSERT_NE(text, kMissing);
    EXPECT_NE(text, t.defaultText);
    EXPECT_EQ(t.control->Hint(), text);
    for (const auto* copy : t.copies) EXPECT_EQ(copy->Hint(), text);
    ++hints;
  }
  EXPECT_EQ(hints, 39);
  EXPECT_EQ(f.RunKEL.Caption(), "Spustit");
  EXPECT_EQ(f.ADMIN7.Edit()->toolTip(), QString::fromUtf8("Telefonní číslo"));
}

TEST_F(CzechWindow, NoCaptionIsClipped) {
  TForm1& f = h.f();
  f.show();
  // Every page once on screen, so that every button has its picture.
  for (ui::TTabSheet* page : {&f.PhoneBook, &f.seting, &f.TabSheet2, &f.service, &f.Buttons})
    f.PageControl1.SetActivePage(*page);
  for (const auto& t : app::CaptionTexts(f)) {
    std::vector<ui::TCaptioned*> controls = {t.control};
    controls.insert(controls.end(), t.copies.begin(), t.copies.end());
    for (ui::TCaptioned* c : controls) {
      SCOPED_TRACE(c->Name());
      QWidget* w = c->Widget();
      if (auto* button = qobject_cast<QPushButton*>(w)) {
        // A push button's own size hint has a minimum width; what counts is text and picture.
        const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + picture + 8, w->width());
      } else if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w)) {
        EXPECT_LE(w->sizeHint().width(), w->width());
      } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width());
      }
    }
  }
  // The tabs of each page control fit side by side.
  for (ui::TPageControl* pc : {&f.PageControl1, &f.KELtyp, &f.PageControl2}) {
    SCOPED_TRACE(pc->Name());
    QTabBar* bar = pc->Tabs()->tabBar();
    EXPECT_LE(bar->sizeHint().width(), pc->Width());
  }
}

TEST_F(CzechWindow, RenderEveryTab) {
  TForm1& f = h.f();
  const QString dir = QStringLiteral(VIRODO_BINARY_DIR) + QStringLiteral("/screens");
  QDir().mkpath(dir);
  f.SetServiceButtonsVisible(true);
  auto grab = [&](const QString& name) {
    f.show();
    const QPixmap shot = f.grab();
    ASSERT_FALSE(shot.isNull());
    ASSERT_TRUE(shot.save(dir + "/cs-" + name + ".png"));
  };
  f.PageControl1.SetActivePage(f.Buttons);
  f.KELtyp.SetActivePage(f.KELtyp1);
  grab("buttons-1");
  f.KELtyp.SetActivePage(f.KELtyp2);
  grab("buttons-2");
  f.PageControl1.SetActivePage(f.PhoneBook);
  grab("phonebook");
  f.PageControl1.SetActivePage(f.seting);
  for (ui::TTabSheet* page : {&f.Calls, &f.Relays, &f.SMSs, &f.Admin}) {
    f.PageControl2.SetActivePage(*page);
    grab("setting-" + QString::fromStdString(page->Name()).toLower());
  }
  f.PageControl1.SetActivePage(f.TabSheet2);
  grab("monitor");
  f.PageControl1.SetActivePage(f.service);
  grab("service");
}

}  // namespace
