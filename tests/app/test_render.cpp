// Renders the window and each tab to PNG files under the build folder, for review.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>

#include "support/FormHarness.h"

namespace {

QString ScreensDir() {
  const QString dir = QStringLiteral(VIRODO_BINARY_DIR) + QStringLiteral("/screens");
  QDir().mkpath(dir);
  return dir;
}

void Grab(TForm1& form, const QString& name) {
  form.show();
  const QPixmap shot = form.grab();
  ASSERT_FALSE(shot.isNull());
  EXPECT_EQ(shot.size(), QSize(613, 503));
  ASSERT_TRUE(shot.save(ScreensDir() + "/" + name + ".png"));
}

}  // namespace

TEST(Render, WindowAndEveryTab) {
  FormHarness h;
  TForm1& f = h.f();
  f.PageControl1.SetActivePage(f.Buttons);
  f.KELtyp.SetActivePage(f.KELtyp1);
  Grab(f, "buttons-1");
  f.KELtyp.SetActivePage(f.KELtyp2);
  Grab(f, "buttons-2");
  f.PageControl1.SetActivePage(f.PhoneBook);
  Grab(f, "phonebook");
  f.PageControl1.SetActivePage(f.seting);
  for (ui::TTabSheet* page : {&f.Calls, &f.Relays, &f.SMSs, &f.Admin}) {
    f.PageControl2.SetActivePage(*page);
    Grab(f, "setting-" + QString::fromStdString(page->Name()).toLower());
  }
  h.Feed("\r\nOK\r\n+COPS: 0,0,\"T-Mobile CZ\"\r\n+CSQ: 17,0\r\n#CBC: 0,385\r\n");
  f.PageControl1.SetActivePage(f.TabSheet2);
  f.SetServiceButtonsVisible(true);
  Grab(f, "monitor");
  f.PageControl1.SetActivePage(f.service);
  f.Prubeh.SetVisible(true);
  f.Prubeh.SetPosition(40);
  Grab(f, "service-with-progress");
}

// Nothing is clipped: every named control of the window lies inside its parent, on every page.
TEST(Render, EveryControlFitsInsideItsParent) {
  FormHarness h;
  TForm1& f = h.f();
  f.show();
  // Lay out every page once, as showing it would.
  for (ui::TPageControl* pc : {&f.PageControl1, &f.KELtyp, &f.PageControl2}) {
    for (int i = 0; i < pc->Tabs()->count(); ++i) {
      pc->Tabs()->setCurrentIndex(i);
      QCoreApplication::processEvents();
    }
  }
  f.PageControl1.Tabs()->setCurrentIndex(1);
  int checked = 0;
  for (QWidget* w : f.findChildren<QWidget*>()) {
    if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
    QWidget* parent = w->parentWidget();
    if (!parent || parent->inherits("QStackedWidget") || parent->inherits("QAbstractScrollArea")) continue;
    if (parent->objectName().startsWith(QLatin1String("qt_")) || parent->inherits("QComboBox") ||
        parent->inherits("QTabBar"))
      continue;
    ++checked;
    EXPECT_TRUE(parent->rect().contains(w->geometry()))
        << w->objectName().toStdString() << " " << w->geometry().x() << "," << w->geometry().y() << " "
        << w->geometry().width() << "x" << w->geometry().height() << " does not fit "
        << parent->objectName().toStdString() << " " << parent->width() << "x" << parent->height();
  }
  EXPECT_GT(checked, 150);
}

// The first picture read through Qt makes it load every image plug-in it has, which costs
// the window several milliseconds of start-up. Showing every page reads none.
TEST(Render, PaintingEveryPageLoadsNoImagePlugin) {
  const auto pluginsLoaded = [] {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
  };
  if (pluginsLoaded()) GTEST_SKIP() << "an earlier test in this process loaded them";
  FormHarness h;
  TForm1& f = h.f();
  f.show();
  f.Prubeh.SetVisible(true);
  for (ui::TTabSheet* page : {&f.Buttons, &f.PhoneBook, &f.seting, &f.TabSheet2, &f.service}) {
    f.PageControl1.SetActivePage(*page);
    for (ui::TTabSheet* inner : {&f.KELtyp1, &f.KELtyp2}) f.KELtyp.SetActivePage(*inner);
    for (ui::TTabSheet* inner : {&f.Calls, &f.Relays, &f.SMSs, &f.Admin}) {
      f.PageControl2.SetActivePage(*inner);
      ASSERT_FALSE(f.grab().isNull());
    }
  }
  EXPECT_FALSE(pluginsLoaded());

  // The check itself: a plain Qt group box does load them.
  QGroupBox plain(QStringLiteral("plain"));
  plain.resize(100, 60);
  ASSERT_FALSE(plain.grab().isNull());
  EXPECT_TRUE(pluginsLoaded());
}
