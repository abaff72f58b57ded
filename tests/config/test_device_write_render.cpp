// Renders the window while a write runs (pages and buttons locked, progress shown) to a PNG
// under the build folder, for review.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>

#include "support/FormHarness.h"

TEST(DeviceWriteRender, WindowLockedDuringTheWrite) {
  FormHarness h;
  TForm1& f = h.f();
  h.Feed("+CPBR: (1-30),40,16\r\n");
  f.ADMIN1.SetText("0987654321");
  f.SaveKEL.SetEnabled(true);
  f.SaveKEL.Click();
  for (int i = 0; i < 12; ++i) {
    h.port.Feed("OK\r\n");
    h.clock.Advance(200);
  }
  ASSERT_TRUE(f.V.writeInProgress);
  const QString dir = QStringLiteral(VIRODO_BINARY_DIR) + QStringLiteral("/screens");
  QDir().mkpath(dir);
  f.show();
  const QPixmap shot = f.grab();
  ASSERT_FALSE(shot.isNull());
  EXPECT_TRUE(shot.save(dir + "/device-write-locked.png"));
}
