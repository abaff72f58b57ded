// Renders the relay settings after decoding the parameter strings and a filled phone book,
// to PNG files under the build folder, for review.
#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>

#include "support/FormHarness.h"

namespace {

void Save(TForm1& form, const char* name) {
  const QString dir = QStringLiteral(VIRODO_BINARY_DIR) + QStringLiteral("/screens");
  QDir().mkpath(dir);
  form.show();
  const QPixmap shot = form.grab();
  ASSERT_FALSE(shot.isNull());
  ASSERT_TRUE(shot.save(dir + "/" + name + ".png"));
}

}  // namespace

TEST(ConfigRender, RelaysAfterDecodingAndPhoneBookWithRows) {
  FormHarness h;
  TForm1& f = h.f();
  f.V.deviceParameterString = "3#5#2#0#1#5#1#0";
  f.V.relay1ParameterString = "7#5#10#1";
  f.V.relay2ParameterString = "4#2#45#0";
  f.ShowParameters();
  ASSERT_TRUE(f.RelRingAll1.Checked());
  f.PageControl1.SetActivePage(f.seting);
  f.PageControl2.SetActivePage(f.Relays);
  Save(f, "config-relays");
  f.PageControl2.SetActivePage(f.Calls);
  Save(f, "config-calls");

  f.PhoneBook1.SetText("Alice=+420123456789\r\nBob=602111222\r\nGate=*21#\r\n");
  f.PhoneBook1.SetRow(2);
  f.PageControl1.SetActivePage(f.PhoneBook);
  Save(f, "config-phonebook");
}
