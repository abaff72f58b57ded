// The phone-book grid: rows, the three buttons and the grid's own keys, driven as a user
// drives them (button clicks through the event gate, key presses on the real grid widget).
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "support/FormHarness.h"
#include "ui/Text.h"

namespace {

class PhoneBookGrid : public ::testing::Test {
 protected:
  PhoneBookGrid() {
    f.PageControl1.SetActivePage(f.PhoneBook);
    f.show();
  }

  // The rows' stored texts joined by "|", and the current row.
  std::string Rows() const {
    std::string s;
    for (const auto& r : book.Strings()) s += (s.empty() ? "" : "|") + r;
    return s;
  }
  void Load(const std::vector<std::string>& rows) { book.SetStrings(rows); }
  QTableWidget* Grid() const { return book.Table(); }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(Grid(), key, mods); }
  // Moves the grid's cursor to a cell as a mouse click would.
  void ClickCell(int row, int col) {
    const QRect r = Grid()->visualRect(Grid()->model()->index(row - 1, col));
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  }
  // The editor open on the current cell, if any.
  QLineEdit* OpenEditor() const { return qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex())); }
  // Types text into the current cell: the first key opens the cell's editor, Return commits.
  void TypeIntoCell(const QString& text) {
    QTest::keyClicks(Grid(), text.left(1));
    QLineEdit* editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, text.mid(1));
    Commit(editor);
  }
  // Return in an editor commits through Qt's queue: let it through.
  static void Commit(QLineEdit* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
  }

  FormHarness h;
  TForm1& f = h.f();
  ui::TValueListEditor& book = f.PhoneBook1;
};

}  // namespace

TEST_F(PhoneBookGrid, TitleLineAndBlankLineWhenEmpty) {
  EXPECT_EQ(book.RowCount(), 0);
  EXPECT_EQ(book.Row(), 0);
  EXPECT_EQ(book.Text(), "");
  EXPECT_EQ(Grid()->rowCount(), 1);  // the blank line, which is no row
  EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), QStringLiteral("Name"));
  EXPECT_EQ(Grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Phone"));
  EXPECT_EQ(Grid()->columnWidth(0), 132);
  EXPECT_EQ(Grid()->columnWidth(1), 151);
  EXPECT_EQ(book.Col(), 1);
  EXPECT_EQ(Grid()->currentColumn(), 1);
}

TEST_F(PhoneBookGrid, RowsNamesNumbersAndWholeText) {
  book.SetText("Alice=123\r\nBob=45=6\r\nno equals\nEmpty=\r\n");
  EXPECT_EQ(Rows(), "Alice=123|Bob=45=6|no equals|Empty=");
  EXPECT_EQ(book.Row(), 1);
  EXPECT_EQ(book.Keys(2), "Bob");
  EXPECT_EQ(book.Values(2), "45=6");
  EXPECT_EQ(book.Keys(3), "");
  EXPECT_EQ(book.Values(3), "no equals");
  EXPECT_EQ(book.Text(), "Alice=123\r\nBob=45=6\r\nno equals\r\nEmpty=\r\n");
  EXPECT_EQ(Grid()->rowCount(), 4);
  EXPECT_EQ(Grid()->item(1, 0)->text(), QStringLiteral("Bob"));
  EXPECT_EQ(Grid()->item(1, 1)->text(), QStringLiteral("45=6"));
  EXPECT_THROW(book.Keys(5), ui::EListError);
  book.Clear();
  EXPECT_EQ(book.RowCount(), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
}

TEST_F(PhoneBookGrid, FindRowTable) {
  Load({"Alice=1", "ALICE=2", "=3", "Bob", "b=4"});
  const struct {
    std::string name;
    int row;
  } cases[] = {{"alice", 1}, {"ALICE", 1}, {"", 3}, {"Bob", 0}, {"B", 5}, {" b", 0}, {"Carol", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE("find \"" + c.name + "\"");
    EXPECT_EQ(book.FindRow(c.name), c.row);
  }
}

TEST_F(PhoneBookGrid, InsertLine) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int current;
    int clicks;
    std::string after;
    int row;
  };
  const Case cases[] = {
      {"on an empty phone book", {}, 0, 1, "=", 1},
      {"twice without typing", {"A=1", "B=2"}, 1, 2, "=|A=1|B=2", 1},
      {"with row 3 current", {"A=1", "B=2", "C=3", "D=4"}, 3, 1, "A=1|B=2|=|C=3|D=4", 3},
      {"on a row without \"=\" whose number is empty", {"A=1", ""}, 2, 1, "A=1|", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.rows);
    if (c.current) book.SetRow(c.current);
    for (int i = 0; i < c.clicks; ++i) f.LineIn.Click();
    EXPECT_EQ(Rows(), c.after);
    EXPECT_EQ(book.Row(), c.row);
  }
  // Saving writes the empty row as "=" alone.
  Load({});
  f.LineIn.Click();
  EXPECT_EQ(book.Text(), "=\r\n");
}

TEST_F(PhoneBookGrid, DeleteLine) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int current;
    std::string after;
    int row;
  };
  const Case cases[] = {
      {"last of several", {"A=1", "B=2", "C=3"}, 3, "A=1|B=2", 2},
      {"in the middle: the row below moves up into place", {"A=1", "B=2", "C=3"}, 2, "A=1|C=3", 2},
      {"the first", {"A=1", "B=2"}, 1, "B=2", 1},
      {"the only row", {"A=1"}, 1, "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.rows);
    book.SetRow(c.current);
    f.LineDel.Click();
    EXPECT_EQ(Rows(), c.after);
    EXPECT_EQ(book.Row(), c.row);
  }
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST_F(PhoneBookGrid, DeleteLineOnEmptyIsRefused) {
  f.LineDel.Click();
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "List index out of bounds (0)");
  EXPECT_EQ(book.RowCount(), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
}

TEST_F(PhoneBookGrid, FindName) {
  struct Case {
    const char* name;
    std::string text;
    int row;  // 0: no match, nothing changes
  };
  const Case cases[] = {
      {"letter case ignored", "ALICE", 2},
      {"two matches select the upper", "bob", 3},
      {"empty text finds the first empty name", "", 4},
      {"no trimming", " Bob", 0},
      {"no match", "Carol", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load({"Xavier=9", "Alice=1", "Bob=2", "=3", "BOB=4", "Dan=5"});
    book.SetRow(6);
    f.FindN.Edit()->setFocus();
    f.FindN.SetText(c.text);
    f.Find.Click();
    EXPECT_EQ(book.Row(), c.row ? c.row : 6);
    EXPECT_EQ(Grid()->currentRow() + 1, book.Row());
    EXPECT_EQ(f.focusWidget() == Grid(), c.row != 0);
    EXPECT_EQ(Rows(), "Xavier=9|Alice=1|Bob=2|=3|BOB=4|Dan=5");
  }
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST_F(PhoneBookGrid, EmptyRowRuleWhenTheSelectionLeaves) {
  struct Case {
    const char* name;
    std::function<void()> leave;
    std::string after;
    int row;
  };
  const Case cases[] = {
      {"set from code, to a row below", [&] { book.SetRow(4); }, "A=1|B=2|C=3", 3},
      {"set from code, to a row above", [&] { book.SetRow(1); }, "A=1|B=2|C=3", 1},
      {"Up key", [&] { Key(Qt::Key_Up); }, "A=1|B=2|C=3", 1},
      {"Down key", [&] { Key(Qt::Key_Down); }, "A=1|B=2|C=3", 2},
      {"mouse click on the last row", [&] { ClickCell(4, 1); }, "A=1|B=2|C=3", 3},
      {"Ctrl+Up", [&] { Key(Qt::Key_Up, Qt::ControlModifier); }, "A=1|B=2|C=3", 1},
      {"Ctrl+Down", [&] { Key(Qt::Key_Down, Qt::ControlModifier); }, "A=1|B=2|C=3", 3},
      {"staying on the row keeps it", [&] { book.SetRow(2); }, "A=1|=|B=2|C=3", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load({"A=1", "B=2", "C=3"});
    book.SetRow(2);
    f.LineIn.Click();
    ASSERT_EQ(Rows(), "A=1|=|B=2|C=3");
    c.leave();
    EXPECT_EQ(Rows(), c.after);
    EXPECT_EQ(book.Row(), c.row);
    EXPECT_EQ(Grid()->currentRow() + 1, c.row);
  }
}

TEST_F(PhoneBookGrid, GridKeys) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    int current;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    std::string after;
    int row;
  };
  const Case cases[] = {
      {"Insert on a named row", {"A=1", "B=2"}, 2, Qt::Key_Insert, Qt::NoModifier, "A=1|=|B=2", 2},
      {"Insert on a row without name", {"A=1", "=2"}, 2, Qt::Key_Insert, Qt::NoModifier, "A=1|=2", 2},
      {"Insert with no rows", {}, 0, Qt::Key_Insert, Qt::NoModifier, "", 0},
      {"Down on the last row", {"A=1", "B=2"}, 2, Qt::Key_Down, Qt::NoModifier, "A=1|B=2|=", 3},
      {"Down on a last row without name", {"A=1", "=2"}, 2, Qt::Key_Down, Qt::NoModifier, "A=1|=2", 2},
      {"Down on another row only moves", {"A=1", "B=2"}, 1, Qt::Key_Down, Qt::NoModifier, "A=1|B=2", 2},
      {"Ctrl+Delete", {"A=1", "B=2", "C=3"}, 2, Qt::Key_Delete, Qt::ControlModifier, "A=1|C=3", 2},
      {"Ctrl+Delete on the last row", {"A=1", "B=2"}, 2, Qt::Key_Delete, Qt::ControlModifier, "A=1", 1},
      {"Ctrl+Delete with no rows", {}, 0, Qt::Key_Delete, Qt::ControlModifier, "", 0},
      {"Ctrl+Up", {"A=1", "B=2", "C=3"}, 2, Qt::Key_Up, Qt::ControlModifier, "A=1|B=2|C=3", 1},
      {"Ctrl+Down", {"A=1", "B=2", "C=3"}, 2, Qt::Key_Down, Qt::ControlModifier, "A=1|B=2|C=3", 3},
      {"Escape on an empty row removes it", {"A=1", "=", "B=2"}, 2, Qt::Key_Escape, Qt::NoModifier, "A=1|B=2", 2},
      {"Escape on the last, empty row", {"A=1", "="}, 2, Qt::Key_Escape, Qt::NoModifier, "A=1", 1},
      {"Escape on a row with a number", {"A=1", "=2"}, 2, Qt::Key_Escape, Qt::NoModifier, "A=1|=2", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Load(c.rows);
    if (c.current) book.SetRow(c.current);
    Key(c.key, c.mods);
    EXPECT_EQ(Rows(), c.after);
    EXPECT_EQ(book.Row(), c.row);
    if (c.row) {
      EXPECT_EQ(Grid()->currentRow() + 1, c.row);
    }
  }
  EXPECT_TRUE(h.dialogs.errors.empty());
}

TEST_F(PhoneBookGrid, DownOnLastRowThenUpRemovesTheNewRowAgain) {
  Load({"A=1", "B=2"});
  book.SetRow(2);
  Key(Qt::Key_Down);
  ASSERT_EQ(Rows(), "A=1|B=2|=");
  Key(Qt::Key_Up);
  EXPECT_EQ(Rows(), "A=1|B=2");
  EXPECT_EQ(book.Row(), 2);
}

TEST_F(PhoneBookGrid, TypingIntoTheBlankLineCreatesTheFirstRow) {
  ASSERT_EQ(book.RowCount(), 0);
  TypeIntoCell(QStringLiteral("+420123"));
  EXPECT_EQ(Rows(), "=+420123");
  EXPECT_EQ(book.Row(), 1);
  ClickCell(1, 0);
  TypeIntoCell(QStringLiteral("Gate"));
  EXPECT_EQ(Rows(), "Gate=+420123");
  EXPECT_EQ(Grid()->item(0, 0)->text(), QStringLiteral("Gate"));
}

TEST_F(PhoneBookGrid, EditingACellChangesTheStoredRow) {
  Load({"A=1", "B=2", "only number"});
  ClickCell(2, 1);
  TypeIntoCell(QStringLiteral("77=8"));  // a number may hold "="
  ClickCell(3, 0);
  TypeIntoCell(QStringLiteral("N"));
  EXPECT_EQ(Rows(), "A=1|B=77=8|N=only number");
  EXPECT_EQ(book.Row(), 3);
}

TEST_F(PhoneBookGrid, EscapeUndoesTheEditOfTheCell) {
  Load({"A=1"});
  ClickCell(1, 0);
  QTest::keyClicks(Grid(), QStringLiteral("Z"));
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(Rows(), "A=1");
  EXPECT_EQ(Grid()->item(0, 0)->text(), QStringLiteral("A"));
}

TEST_F(PhoneBookGrid, EqualsSignInANameIsRefused) {
  Load({"Al=1"});
  ClickCell(1, 0);
  // "=" as the first key and "=" inside the editor: both refused, the other keys go in.
  QTest::keyClick(Grid(), Qt::Key_Equal);
  EXPECT_EQ(OpenEditor(), nullptr);
  TypeIntoCell(QStringLiteral("Bo=b"));
  EXPECT_EQ(Rows(), "Bob=1");
  ASSERT_EQ(h.dialogs.errors.size(), 2u);
  EXPECT_EQ(h.dialogs.errors[0], "Key may not contain equals sign (\"=\")");
  EXPECT_EQ(h.dialogs.errors[1], "Key may not contain equals sign (\"=\")");
}

TEST_F(PhoneBookGrid, PastedNameWithEqualsSignKeepsThePreviousName) {
  Load({"Al=1"});
  ClickCell(1, 0);
  QTest::keyClick(Grid(), Qt::Key_F2);
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("X=Y"));
  Commit(editor);
  EXPECT_EQ(Rows(), "Al=1");
  EXPECT_EQ(Grid()->item(0, 0)->text(), QStringLiteral("Al"));
  ASSERT_EQ(h.dialogs.errors.size(), 1u);
  EXPECT_EQ(h.dialogs.errors[0], "Key may not contain equals sign (\"=\")");
}

// The grid is built when its page is first shown; rows and the current row set before that
// (a device read or a file load on another page) are all there, with the grid in the
// holder's place and taking the focus meant for it.
TEST(PhoneBookGridShownLate, RowsSetBeforeTheFirstShowAppear) {
  FormHarness h;
  TForm1& f = h.f();
  f.show();
  ui::TValueListEditor& book = f.PhoneBook1;
  EXPECT_EQ(f.findChild<QTableWidget*>(), nullptr);  // the window opens on another page
  book.SetStrings({"Alice=1", "Bob=2", "Carol=3"});
  book.SetRow(2);
  f.PageControl1.SetActivePage(f.PhoneBook);
  QTableWidget* grid = f.findChild<QTableWidget*>();
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid, book.Table());
  EXPECT_TRUE(grid->isVisible());
  EXPECT_EQ(grid->geometry(), QRect(QPoint(0, 0), book.Widget()->size()));
  ASSERT_EQ(grid->rowCount(), 3);
  EXPECT_EQ(grid->item(2, 0)->text(), QStringLiteral("Carol"));
  EXPECT_EQ(grid->item(1, 1)->text(), QStringLiteral("2"));
  EXPECT_EQ(grid->currentRow(), 1);
  book.Widget()->setFocus();
  EXPECT_EQ(f.focusWidget(), grid);
}
