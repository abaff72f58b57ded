#include "ui/ValueListEditor.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "ui/Runtime.h"
#include "ui/Text.h"

namespace ui {

namespace {
constexpr int kNameColumn = 0;
constexpr int kNumberColumn = 1;
constexpr const char* kNameEditor = "nameEditor";

// Runs fn as a user's event through the gate, unless the grid is gone by then.
void PostGridEvent(QWidget* grid, std::function<void()> fn) {
  QPointer<QWidget> guard(grid);
  EventGate::Instance().Post([guard, fn = std::move(fn)] {
    if (guard) fn();
  });
}

void RefuseEqualsSign(QWidget* grid) {
  PostGridEvent(grid, [] { ShowError(kKeyEqualsSignMessage); });
}
}  // namespace

// The table widget with the grid's own keys.
class ValueGrid : public QTableWidget {
 public:
  explicit ValueGrid(TValueListEditor* owner) : QTableWidget(0, 2), owner_(owner) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    if (owner_->GridKey(event->key(), ctrl)) {
      event->accept();
      return;
    }
    // A typed "=" would open the name's editor with the "=" in it.
    if (currentColumn() == kNameColumn && event->text() == QStringLiteral("=")) {
      RefuseEqualsSign(this);
      event->accept();
      return;
    }
    QTableWidget::keyPressEvent(event);
  }

 private:
  TValueListEditor* owner_;
};

// The in-place editor of a cell. In a name it refuses "=", typed or pasted.
class NameValueDelegate : public QStyledItemDelegate {
 public:
  NameValueDelegate(TValueListEditor* owner, QObject* parent) : QStyledItemDelegate(parent), owner_(owner) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // The view sends every editor's events through this delegate; only a name refuses "=".
    editor->setProperty(kNameEditor, index.column() == kNameColumn);
    return editor;
  }

  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return;
    const std::string text = FromQString(line->text());
    QWidget* grid = owner_->table_;
    if (index.column() == kNameColumn && Contains(text, "=")) {
      RefuseEqualsSign(grid);
      return;
    }
    TValueListEditor* owner = owner_;
    const int row = index.row() + 1;
    const int col = index.column();
    PostGridEvent(grid, [owner, row, col, text] { owner->CellEdited(row, col, text); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && watched->property(kNameEditor).toBool() &&
        static_cast<QKeyEvent*>(event)->text() == QStringLiteral("=")) {
      RefuseEqualsSign(owner_->table_);
      return true;
    }
    return QStyledItemDelegate::eventFilter(watched, event);
  }

 private:
  TValueListEditor* owner_;
};

// ---------------------------------------------------------------------------------------
// Stands in the grid's place from the start and builds the grid the first time it is shown:
// the first item view of the program costs more to make than the rest of its page, and the
// phone book is not the page the window opens on.
class GridHolder : public QWidget {
 public:
  explicit GridHolder(TValueListEditor* owner) : owner_(owner) {}

 protected:
  void showEvent(QShowEvent* event) override {
    owner_->Table();
    QWidget::showEvent(event);
  }
  void resizeEvent(QResizeEvent* event) override {
    if (QWidget* grid = focusProxy()) grid->setGeometry(rect());
    QWidget::resizeEvent(event);
  }

 private:
  TValueListEditor* owner_;
};

void TValueListEditor::Create(QWidget* parent, const std::string& name, int left, int top, int width,
                              int height) {
  Attach(new GridHolder(this), parent, name);
  SetBounds(left, top, width, height);
}

QTableWidget* TValueListEditor::Table() {
  if (table_) return table_;
  table_ = new ValueGrid(this);
  table_->setParent(widget_);
  table_->setGeometry(widget_->rect());
  widget_->setFocusProxy(table_);
  table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Phone")});
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(18);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->setColumnWidth(kNameColumn, 132);
  table_->setColumnWidth(kNumberColumn, 151);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  table_->setItemDelegate(new NameValueDelegate(this, table_));
  QObject::connect(table_, &QTableWidget::currentCellChanged, table_, [this](int row, int col, int, int) {
    if (row < 0 || col < 0) return;
    PostGridEvent(table_, [this, row, col] { CurrentCellMoved(row + 1, col); });
  });
  Refresh();
  // Built while its holder is being shown: the holder has shown its children already.
  if (widget_->isVisible()) table_->show();
  return table_;
}

const std::string& TValueListEditor::RowText(int row) const {
  if (row < 1 || row > RowCount()) throw EListError(row);
  return rows_[static_cast<std::size_t>(row - 1)];
}

std::string TValueListEditor::Keys(int row) const {
  const std::string& s = RowText(row);
  const auto eq = s.find('=');
  return eq == std::string::npos ? std::string() : s.substr(0, eq);
}

std::string TValueListEditor::Values(int row) const {
  const std::string& s = RowText(row);
  const auto eq = s.find('=');
  return eq == std::string::npos ? s : s.substr(eq + 1);
}

bool TValueListEditor::IsEmptyRow(int row) const { return Keys(row).empty() && Values(row).empty(); }

std::string TValueListEditor::Text() const { return JoinLines(rows_); }

void TValueListEditor::SetText(const std::string& text) { SetStrings(SplitLines(text)); }

void TValueListEditor::SetStrings(const std::vector<std::string>& rows) {
  rows_ = rows;
  row_ = rows_.empty() ? 0 : 1;
  Refresh();
}

void TValueListEditor::Clear() { SetStrings({}); }

int TValueListEditor::FindRow(const std::string& name) const {
  for (int r = 1; r <= RowCount(); ++r) {
    const std::string& s = rows_[static_cast<std::size_t>(r - 1)];
    const auto eq = s.find('=');
    if (eq != std::string::npos && SameText(s.substr(0, eq), name)) return r;
  }
  return 0;
}

int TValueListEditor::InsertRow(const std::string& name, const std::string& number, bool append) {
  const int at = append || row_ < 1 ? RowCount() + 1 : row_;
  rows_.insert(rows_.begin() + (at - 1), name + "=" + number);
  if (!append || row_ < 1) row_ = at;
  Refresh();
  return at;
}

void TValueListEditor::DeleteRow(int row) {
  if (row < 1 || row > RowCount()) throw EListError(row < 1 ? 0 : row - 1);
  rows_.erase(rows_.begin() + (row - 1));
  if (row_ > RowCount()) row_ = RowCount();
  Refresh();
}

void TValueListEditor::InsertEmptyRow() {
  if (row_ >= 1 && IsEmptyRow(row_)) return;
  InsertRow("", "", false);
}

void TValueListEditor::DeleteCurrentRow() {
  if (RowCount() == 0) throw EListError(0);
  const int doomed = row_;
  if (row_ == RowCount() && RowCount() > 1) --row_;
  rows_.erase(rows_.begin() + (doomed - 1));
  if (row_ > RowCount()) row_ = RowCount();
  Refresh();
}

void TValueListEditor::SetRow(int row) {
  if (row < 1 || row > RowCount()) throw EListError(row);
  SelectRow(row);
}

void TValueListEditor::SelectRow(int row) {
  if (row != row_ && row_ >= 1 && IsEmptyRow(row_)) {
    rows_.erase(rows_.begin() + (row_ - 1));
    if (row > row_) --row;
  }
  row_ = row;
  Refresh();
}

void TValueListEditor::SetFocus() { Table()->setFocus(); }

bool TValueListEditor::GridKey(int key, bool ctrl) {
  const int count = RowCount();
  if (key == Qt::Key_Insert && !ctrl) {
    PostGridEvent(table_, [this] {
      if (row_ >= 1 && !Keys(row_).empty()) InsertRow("", "", false);
    });
    return true;
  }
  if (key == Qt::Key_Delete && ctrl) {
    PostGridEvent(table_, [this] {
      if (RowCount() > 0) DeleteCurrentRow();
    });
    return true;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && ctrl) {
    const bool first = key == Qt::Key_Up;
    PostGridEvent(table_, [this, first] {
      if (RowCount() > 0) SelectRow(first ? 1 : RowCount());
    });
    return true;
  }
  if (key == Qt::Key_Down && count > 0 && row_ == count) {
    PostGridEvent(table_, [this] {
      if (RowCount() == 0 || row_ != RowCount() || Keys(row_).empty()) return;
      row_ = InsertRow("", "", true);
      Refresh();
    });
    return true;
  }
  if (key == Qt::Key_Escape && !ctrl) {
    PostGridEvent(table_, [this] {
      if (row_ < 1 || !IsEmptyRow(row_)) return;
      rows_.erase(rows_.begin() + (row_ - 1));
      if (row_ > RowCount()) row_ = RowCount();
      Refresh();
    });
    return true;
  }
  return false;
}

void TValueListEditor::CellEdited(int row, int col, const std::string& text) {
  // Typing into the blank line of an empty phone book creates the first row.
  if (rows_.empty()) {
    if (row != 1 || text.empty()) return;
    rows_.push_back("=");
    row_ = 1;
  }
  if (row < 1 || row > RowCount()) return;
  const std::string name = col == kNameColumn ? text : Keys(row);
  const std::string number = col == kNumberColumn ? text : Values(row);
  // An edit that changes nothing leaves the stored text as it is (even one without "=").
  if (name == Keys(row) && number == Values(row)) return;
  rows_[static_cast<std::size_t>(row - 1)] = name + "=" + number;
  Refresh();
}

void TValueListEditor::CurrentCellMoved(int row, int col) {
  col_ = col;
  if (rows_.empty() || row < 1 || row > RowCount()) return;
  if (row == row_) return;
  SelectRow(row);
}

void TValueListEditor::Refresh() {
  if (!table_) return;  // the grid shows the rows when it is built
  const QSignalBlocker block(table_);
  const int shown = rows_.empty() ? 1 : RowCount();
  if (table_->rowCount() != shown) table_->setRowCount(shown);
  for (int r = 0; r < shown; ++r) {
    const bool blank = rows_.empty();
    const QString cells[2] = {ToQString(blank ? std::string() : Keys(r + 1)),
                              ToQString(blank ? std::string() : Values(r + 1))};
    for (int c = 0; c < 2; ++c) {
      QTableWidgetItem* item = table_->item(r, c);
      if (!item) {
        table_->setItem(r, c, new QTableWidgetItem(cells[c]));
      } else if (item->text() != cells[c]) {
        item->setText(cells[c]);
      }
    }
  }
  table_->setCurrentCell(row_ >= 1 ? row_ - 1 : 0, col_);
}

}  // namespace ui
