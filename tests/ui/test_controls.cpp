// The widget layer's event rules, which the window logic relies on.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <memory>
#include <vector>

#include "connection/ScriptedPort.h"
#include "ui/Controls.h"
#include "ui/FileIO.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace {

struct Ui {
  ui::VirtualClock clock;
  ui::ScriptedDialogs dialogs;
  ui::RuntimeScope scope{&clock, &dialogs};
  QWidget parent;
  Ui() {
    parent.resize(300, 200);
    parent.show();
  }
};

// The pixels where two renderings differ by more than tolerance (summed over the colour
// channels).
std::vector<QPoint> DifferingPixels(const QImage& ours, const QImage& theirs, int tolerance) {
  const QImage a = ours.convertToFormat(QImage::Format_RGB32);
  const QImage b = theirs.convertToFormat(QImage::Format_RGB32);
  std::vector<QPoint> differing;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > tolerance)
        differing.emplace_back(x, y);
    }
  return differing;
}

}  // namespace

// Clicks land on the indicator: a check box or radio button only reacts to clicks on its
// indicator and caption, not on the empty rest of its rectangle.

TEST(Edit, ChangeHandlerRunsOnlyWhenTheTextDiffers) {
  Ui u;
  ui::TEdit e;
  e.Create(&u.parent, "E", 0, 0, 100, 20, "abc");
  int changes = 0;
  e.OnChange = [&] { ++changes; };
  e.SetText("abc");
  EXPECT_EQ(changes, 0);
  e.SetText("abd");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(e.Edit()->text(), QStringLiteral("abd"));
  e.SetText("");
  EXPECT_EQ(changes, 2);
}

TEST(Edit, NestedCleaningStopsAfterOneRound) {
  Ui u;
  ui::TEdit e;
  e.Create(&u.parent, "E", 0, 0, 100, 20);
  int changes = 0;
  // A handler that cleans its own field: the re-run on the clean text changes nothing.
  e.OnChange = [&] {
    ++changes;
    std::string t = e.Text();
    std::string digits;
    for (char c : t)
      if (c >= '0' && c <= '9') digits += c;
    e.SetText(digits);
  };
  e.SetText("1a2b3");
  EXPECT_EQ(e.Text(), "123");
  EXPECT_EQ(changes, 2);
}

TEST(Edit, TypingRunsTheHandlerAndTheCaretCanBeMoved) {
  Ui u;
  ui::TEdit e;
  e.Create(&u.parent, "E", 0, 0, 100, 20);
  std::vector<std::string> seen;
  e.OnChange = [&] { seen.push_back(e.Text()); };
  QTest::keyClicks(e.Edit(), "12");
  EXPECT_EQ(seen, (std::vector<std::string>{"1", "12"}));
  e.Edit()->setCursorPosition(0);
  e.SetSelStart(static_cast<int>(e.Text().size()));
  EXPECT_EQ(e.SelStart(), 2);
  EXPECT_EQ(e.Edit()->cursorPosition(), 2);
}

TEST(Edit, BytesThatAreNotUtf8SurviveTheWidget) {
  Ui u;
  ui::TEdit e;
  e.Create(&u.parent, "E", 0, 0, 100, 20);
  e.SetText("Caf\xe9");
  EXPECT_EQ(e.Text(), "Caf\xe9");
  EXPECT_EQ(e.Edit()->text(), QString::fromLatin1("Caf\xe9"));
}

TEST(Edit, TextSetOutOfSightReachesTheWidgetWhenShown) {
  Ui u;
  QWidget hidden;
  ui::TEdit e;
  e.Create(&hidden, "E", 0, 0, 100, 20);
  e.SetText("0987654321");
  e.SetSelStart(4);
  EXPECT_EQ(e.Text(), "0987654321");
  hidden.show();
  EXPECT_EQ(e.Widget()->property("text").toString(), QStringLiteral("0987654321"));
  EXPECT_EQ(e.Edit()->cursorPosition(), 4);
  e.SetText("12");  // in sight now: straight to the widget
  EXPECT_EQ(e.Widget()->property("text").toString(), QStringLiteral("12"));
}

TEST(CheckBox, ClickHandlerRunsOnRealStateChangesOnly) {
  Ui u;
  ui::TCheckBox c;
  c.Create(&u.parent, "C", 0, 0, 100, 20, "Box");
  std::vector<bool> clicks;
  c.OnClick = [&] { clicks.push_back(c.Checked()); };
  c.SetChecked(false);
  c.SetChecked(true);
  c.SetChecked(true);
  c.SetChecked(false);
  EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
  QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(7, 10));
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(static_cast<QCheckBox*>(c.Widget())->isChecked());
}

TEST(RadioButton, GroupRulesAndNothingSelected) {
  Ui u;
  ui::TRadioButton a, b, c;
  ui::TRadioGroup group;
  a.Create(&u.parent, "A", 0, 0, 80, 20, "a");
  b.Create(&u.parent, "B", 0, 20, 80, 20, "b");
  c.Create(&u.parent, "C", 0, 40, 80, 20, "c");
  for (auto* r : {&a, &b, &c}) group.Add(*r);
  std::string log;
  a.OnClick = [&] { log += "a"; };
  b.OnClick = [&] { log += "b"; };
  c.OnClick = [&] { log += "c"; };
  EXPECT_EQ(group.Selected(), nullptr);

  struct Step {
    ui::TRadioButton* button;
    bool checked;
    const char* log;
    ui::TRadioButton* selected;
  };
  const Step steps[] = {
      {&a, true, "a", &a},       // selecting runs the handler
      {&a, true, "a", &a},       // already selected: nothing
      {&b, true, "ab", &b},      // the others are unselected, without handlers
      {&b, false, "ab", nullptr},  // unselecting runs nothing, none selected is allowed
      {&c, true, "abc", &c},
  };
  for (const auto& s : steps) {
    s.button->SetChecked(s.checked);
    SCOPED_TRACE(s.log);
    EXPECT_EQ(log, s.log);
    EXPECT_EQ(group.Selected(), s.selected);
    for (auto* r : {&a, &b, &c})
      EXPECT_EQ(static_cast<QRadioButton*>(r->Widget())->isChecked(), r == s.selected);
  }
  // A user's click on the selected button keeps it selected and runs nothing.
  QTest::mouseClick(c.Widget(), Qt::LeftButton, {}, QPoint(7, 10));
  EXPECT_TRUE(c.Checked());
  EXPECT_TRUE(static_cast<QRadioButton*>(c.Widget())->isChecked());
  EXPECT_EQ(log, "abc");
  QTest::mouseClick(a.Widget(), Qt::LeftButton, {}, QPoint(7, 10));
  EXPECT_EQ(log, "abca");
  EXPECT_FALSE(c.Checked());
}

TEST(Ranges, ValuesAreHeldInsideTheirRange) {
  Ui u;
  ui::TTrackBar track;
  track.Create(&u.parent, "T", 0, 0, 30, 100, true, 1, 7, 7);
  ui::TProgressBar bar;
  bar.Create(&u.parent, "P", 0, 0, 100, 10, false, 0, 100, 0);
  ui::TGauge gauge;
  gauge.Create(&u.parent, "G", 0, 0, 100, 10, 0, 31);
  struct Case {
    int set, track, bar, gauge;
  };
  const Case cases[] = {{4, 4, 4, 4}, {0, 1, 0, 0}, {-5, 1, 0, 0}, {8, 7, 8, 8}, {99, 7, 99, 31}, {250, 7, 100, 31}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    track.SetPosition(c.set);
    bar.SetPosition(c.set);
    gauge.SetProgress(c.set);
    EXPECT_EQ(track.Position(), c.track);
    EXPECT_EQ(bar.Position(), c.bar);
    EXPECT_EQ(gauge.Progress(), c.gauge);
  }
  // A smaller maximum pulls the position in; the minimum set after the position keeps it.
  bar.SetPosition(60);
  bar.SetMax(7);
  EXPECT_EQ(bar.Position(), 7);
  ui::TProgressBar voltage;
  voltage.Create(&u.parent, "V", 0, 0, 20, 100, true, 0, 420, 0);
  voltage.SetPosition(300);
  voltage.SetMin(300);
  EXPECT_EQ(voltage.Position(), 300);
  EXPECT_EQ(voltage.Min(), 300);
  EXPECT_EQ(voltage.Max(), 420);
  voltage.SetPosition(500);
  EXPECT_EQ(voltage.Position(), 420);
}

TEST(Timer, EnablingARunningTimerDoesNotRestartIt) {
  Ui u;
  ui::TTimer timer(1000, false);
  std::vector<long long> ticks;
  timer.OnTimer = [&] { ticks.push_back(u.clock.NowMs()); };
  timer.SetEnabled(true);
  u.clock.Advance(600);
  timer.SetEnabled(true);  // already running
  u.clock.Advance(1500);
  EXPECT_EQ(ticks, (std::vector<long long>{1000, 2000}));
  timer.SetEnabled(false);
  u.clock.Advance(5000);
  EXPECT_EQ(ticks.size(), 2u);
  timer.SetEnabled(true);  // stopped timers start anew
  u.clock.Advance(1000);
  EXPECT_EQ(ticks.back(), 8100);
  timer.SetInterval(300);  // a new interval starts counting now
  u.clock.Advance(300);
  EXPECT_EQ(ticks.back(), 8400);
}

TEST(Timer, StoppedInsideTheHandlerTicksNoMore) {
  Ui u;
  ui::TTimer timer(2000, true);
  int ticks = 0;
  timer.OnTimer = [&] {
    ++ticks;
    timer.SetEnabled(false);
  };
  u.clock.Advance(10000);
  EXPECT_EQ(ticks, 1);
}

TEST(Pause, NothingRunsDuringAPauseAndWhatArrivedRunsAfterwardsInOrder) {
  Ui u;
  connection::ScriptedPort port;
  ui::TTimer timer(100, true);
  std::vector<std::string> log;
  timer.OnTimer = [&] {
    log.push_back("tick@" + std::to_string(u.clock.NowMs()));
    timer.SetEnabled(false);
  };
  port.OnTriggerAvail = [&](int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += static_cast<char>(port.GetChar());
    log.push_back("bytes:" + bytes + "@" + std::to_string(u.clock.NowMs()));
  };
  ui::clock().CallLater(50, [&] { port.Feed("ab"); });
  ui::clock().CallLater(150, [&] { port.Feed("cd"); });
  ui::EventGate::Instance().Post([&] {
    log.push_back("handler starts");
    ui::Pause(200);
    log.push_back("handler ends@" + std::to_string(u.clock.NowMs()));
  });
  // The handler ran at once (nothing else was running); the pause let time pass, and what
  // came meanwhile ran only after the handler, in arrival order. The two byte batches
  // arrived while one notification was pending, so they are read as one batch.
  EXPECT_EQ(log, (std::vector<std::string>{"handler starts", "handler ends@200", "bytes:abcd@200", "tick@200"}));
  EXPECT_EQ(ui::EventGate::Instance().Waiting(), 0u);
}

TEST(Gate, AnErrorIsShownOnceAndTheProgramGoesOn) {
  Ui u;
  int after = 0;
  ui::EventGate::Instance().Post([] { throw ui::EConvertError("abc"); });
  ui::EventGate::Instance().Post([&] { ++after; });
  EXPECT_EQ(u.dialogs.errors, (std::vector<std::string>{"'abc' is not a valid integer value."}));
  EXPECT_EQ(u.dialogs.titles, (std::vector<std::string>{"VIRodo"}));
  EXPECT_EQ(after, 1);
}

TEST(Gate, EventsWaitWhileTheErrorBoxIsOpen) {
  Ui u;
  std::vector<std::string> log;
  u.dialogs.whileErrorBoxOpen = [&] {
    ui::EventGate::Instance().Post([&] { log.push_back("later event"); });
    log.push_back("box open");
  };
  ui::EventGate::Instance().Post([] { throw ui::Exception("failed"); });
  EXPECT_EQ(log, (std::vector<std::string>{"box open", "later event"}));
}

TEST(Memo, LinesAreHeldAndSavedWithCrLf) {
  Ui u;
  ui::TMemo m;
  m.Create(&u.parent, "M", 0, 0, 100, 100);
  EXPECT_EQ(m.Count(), 0);
  m.Add("");
  m.Add("OK");
  m.Add("Caf\xe9");
  EXPECT_EQ(m.Count(), 3);
  EXPECT_EQ(m.Line(1), "OK");
  EXPECT_EQ(m.Line(3), "");
  EXPECT_EQ(m.Line(-1), "");
  EXPECT_EQ(m.Text(), "\r\nOK\r\nCaf\xe9\r\n");
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/log";
  m.SaveToFile(path);
  EXPECT_EQ(ui::ReadFileBytes(path), "\r\nOK\r\nCaf\xe9\r\n");
}

TEST(Memo, UserEditsAreReadBack) {
  Ui u;
  ui::TMemo m;
  m.Create(&u.parent, "M", 0, 0, 100, 100);
  m.Add("one");
  m.Edit()->setFocus();
  m.Edit()->moveCursor(QTextCursor::End);
  QTest::keyClick(m.Edit(), Qt::Key_Return);
  QTest::keyClicks(m.Edit(), "two");
  EXPECT_EQ(m.Count(), 2);
  EXPECT_EQ(m.Line(1), "two");
  m.Clear();
  EXPECT_EQ(m.Count(), 0);
}

TEST(FileDialogs, FilterPairsBecomeQtFilters) {
  EXPECT_EQ(ui::QtFilterFrom("KEL files (*.kel)|*.kel"), "KEL files (*.kel)");
  EXPECT_EQ(ui::QtFilterFrom("Logs|*.mon|All|*.*"), "Logs (*.mon);;All (*.*)");
  EXPECT_EQ(ui::QtFilterFrom("Scripts|*.py;*.pyo"), "Scripts (*.py *.pyo)");
}

TEST(FileDialogs, ExecuteTakesTheScriptedAnswerAndKeepsTheName) {
  Ui u;
  ui::TSaveDialog d;
  d.Filter = "Monitor files (*.mon)|*.mon";
  u.dialogs.NextFile(std::string("/tmp/x.mon"));
  ASSERT_TRUE(d.Execute());
  EXPECT_EQ(d.FileName, "/tmp/x.mon");
  EXPECT_FALSE(d.Execute());  // nothing scripted: the user cancels
  EXPECT_EQ(d.FileName, "/tmp/x.mon");
  ASSERT_EQ(u.dialogs.requests.size(), 2u);
  EXPECT_TRUE(u.dialogs.requests[1].save);
  EXPECT_EQ(u.dialogs.requests[1].fileName, "/tmp/x.mon");  // proposes the last name
  EXPECT_EQ(u.dialogs.requests[1].filter, "Monitor files (*.mon)|*.mon");
}

TEST(Files, AFailedWriteLeavesTheOldFile) {
  QTemporaryDir dir;
  const std::string path = dir.path().toStdString() + "/settings.ini";
  ui::WriteFileAtomic(path, "old contents\r\n");
  ui::g_failNextWriteAfter = 3;
  try {
    ui::WriteFileAtomic(path, "new contents that do not fit\r\n");
    ADD_FAILURE() << "no error";
  } catch (const ui::Exception& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
  }
  EXPECT_EQ(ui::ReadFileBytes(path), "old contents\r\n");
  ui::WriteFileAtomic(path, "new\r\n");  // the seam only fails once
  EXPECT_EQ(ui::ReadFileBytes(path), "new\r\n");
}

TEST(Files, OpeningAMissingFileNamesItAndTheReason) {
  try {
    ui::ReadFileBytes("/nonexistent-folder/x.kel");
    ADD_FAILURE() << "no error";
  } catch (const ui::Exception& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"/nonexistent-folder/x.kel\". ", 0), 0u) << e.what();
  }
}

// Group boxes draw their frame themselves (the style's frame is a picture whose reading
// loads Qt's image plug-ins); it must look like the style's own, title and all. Only the
// rounding of the four corners may shade a little differently.
TEST(GroupBox, LooksLikeTheStylesOwn) {
  for (const char* title : {"Phone numbers", ""}) {
    Ui u;
    ui::TGroupBox ours;
    ours.Create(&u.parent, "G", 0, 0, 160, 70, title);
    QGroupBox theirs(QString::fromLatin1(title));
    theirs.resize(160, 70);
    const QImage a = ours.Widget()->grab().toImage();
    ASSERT_EQ(a.size(), theirs.grab().size());
    int atCorners = 0;
    for (const QPoint& d : DifferingPixels(a, theirs.grab().toImage(), 12)) {
      const bool nearCorner = d.x() <= 3 || d.x() >= a.width() - 4;
      EXPECT_TRUE(nearCorner) << "title \"" << title << "\": differs at " << d.x() << "," << d.y();
      atCorners += nearCorner;
    }
    EXPECT_LE(atCorners, 4 * 6) << "title \"" << title << "\"";
  }
}

// A picture is decoded when it first reaches the screen, not when it is made visible on a
// page that is not shown.
TEST(Image, PictureIsDecodedWhenFirstOnScreen) {
  Q_INIT_RESOURCE(resources);
  Ui u;
  QWidget page(&u.parent);
  page.hide();
  ui::TImage photo;
  photo.Create(&page, "Photo", 0, 0, 150, 330, ":/kel1.jpg");
  const auto shown = [&] { return !static_cast<QLabel*>(photo.Widget())->pixmap().isNull(); };
  photo.SetVisible(true);
  EXPECT_FALSE(shown());
  page.show();
  ASSERT_TRUE(shown());
  EXPECT_EQ(static_cast<QLabel*>(photo.Widget())->pixmap().size(), QSize(150, 330));

  ui::TImage missing;
  missing.Create(&u.parent, "Missing", 0, 0, 10, 10, ":/no_such_picture.png");
  missing.SetVisible(true);
  EXPECT_FALSE(missing.HasPicture());
}

// A drop-down list on a page out of sight gets its typing part when it first reaches the
// screen; a text set before then is what the user sees, and typing runs the handler.
TEST(ComboBox, TypingPartArrivesWhenFirstOnScreen) {
  Ui u;
  QWidget page(&u.parent);
  page.hide();
  ui::TComboBox c;
  c.Create(&page, "C", 0, 0, 70, 22, {"1", "2", "3"}, 1);
  std::vector<std::string> seen;
  c.OnChange = [&] { seen.push_back(c.Text()); };
  EXPECT_EQ(c.Text(), "2");
  c.SetText("3");
  EXPECT_EQ(c.ItemIndex(), 2);
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(c.Widget()->findChild<QLineEdit*>(), nullptr);

  page.show();
  auto* edit = c.Widget()->findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text(), QStringLiteral("3"));
  EXPECT_TRUE(seen.empty());
  QTest::keyClicks(edit, "9");
  EXPECT_EQ(seen, (std::vector<std::string>{"39"}));
  EXPECT_EQ(c.ItemIndex(), -1);
  c.SetText("1");
  EXPECT_EQ(edit->text(), QStringLiteral("1"));
  EXPECT_EQ(seen.size(), 1u);
}

// Page controls draw the frame around their pages themselves (the style strokes it slowly);
// it must look exactly like the style's own.
TEST(PageControl, FrameLooksLikeTheStylesOwn) {
  Ui u;
  u.parent.resize(400, 300);
  ui::TPageControl ours;
  ours.Create(&u.parent, "P", 0, 0, 240, 150, 0);
  ui::TTabSheet one, two;
  one.Create(ours, "One", "One");
  two.Create(ours, "Two", "Two");
  QTabWidget theirs(&u.parent);
  theirs.setGeometry(0, 150, 240, 150);
  theirs.addTab(new QWidget, QStringLiteral("One"));
  theirs.addTab(new QWidget, QStringLiteral("Two"));
  theirs.show();
  const QImage a = ours.Widget()->grab().toImage();
  const QImage b = theirs.grab().toImage();
  ASSERT_EQ(a.size(), b.size());
  EXPECT_TRUE(DifferingPixels(a, b, 6).empty());
}

// A button's picture is decoded when the button is first on screen.
TEST(Button, PictureArrivesWhenFirstOnScreen) {
  Q_INIT_RESOURCE(resources);
  Ui u;
  QWidget page(&u.parent);
  page.hide();
  ui::TButton run, plain;
  run.Create(&page, "Run", 0, 0, 90, 27, "Run", ":/glyph_run.png");
  plain.Create(&page, "Plain", 0, 30, 90, 27, "Plain");
  EXPECT_TRUE(run.Button()->icon().isNull());
  page.show();
  ASSERT_FALSE(run.Button()->icon().isNull());
  EXPECT_EQ(run.Button()->iconSize(), QSize(16, 16));
  EXPECT_FALSE(run.Button()->icon().pixmap(16, 16).isNull());
  EXPECT_TRUE(plain.Button()->icon().isNull());
}

// Under any other style the frames are the style's own.
TEST(GroupBox, OtherStylesDrawTheirOwnFrames) {
  std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
  ASSERT_NE(windows, nullptr);
  Ui u;
  ui::TGroupBox ourBox;
  ourBox.Create(&u.parent, "G", 0, 0, 160, 70, "Phone numbers");
  ourBox.Widget()->setStyle(windows.get());
  QGroupBox theirBox(QStringLiteral("Phone numbers"));
  theirBox.setStyle(windows.get());
  theirBox.resize(160, 70);
  EXPECT_TRUE(DifferingPixels(ourBox.Widget()->grab().toImage(), theirBox.grab().toImage(), 0).empty());

  ui::TPageControl ourPages;
  ourPages.Create(&u.parent, "P", 0, 80, 240, 150, 0);
  ui::TTabSheet one;
  one.Create(ourPages, "One", "One");
  ourPages.Widget()->setStyle(windows.get());
  QTabWidget theirPages;
  theirPages.setStyle(windows.get());
  theirPages.resize(240, 150);
  theirPages.addTab(new QWidget, QStringLiteral("One"));
  theirPages.show();
  EXPECT_TRUE(DifferingPixels(ourPages.Widget()->grab().toImage(), theirPages.grab().toImage(), 0).empty());
}
