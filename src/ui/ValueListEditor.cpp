#include "ui/ValueListEditor.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/Text.h"

namespace ui {

void TValueListEditor::Create(QWidget* parent, const std::string& name, int left, int top, int width,
                              int height) {
  table_ = new QTableWidget(0, 2);
  Attach(table_, parent, name);
  SetBounds(left, top, width, height);
  table_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Phone")});
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(18);
  table_->horizontalHeader()->setHighlightSections(false);
  table_->setColumnWidth(0, 132);
  table_->setColumnWidth(1, 151);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  Refresh();
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

std::string TValueListEditor::Text() const {
  std::string out;
  for (const auto& r : rows_) {
    out += r;
    out += "\r\n";
  }
  return out;
}

void TValueListEditor::SetText(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  SetStrings(lines);
}

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
  const std::string text = name + "=" + number;
  int at = append || row_ < 1 ? RowCount() + 1 : row_;
  rows_.insert(rows_.begin() + (at - 1), text);
  row_ = at;
  Refresh();
  return at;
}

void TValueListEditor::DeleteRow(int row) {
  if (row < 1 || row > RowCount()) throw EListError(row - 1 < 0 ? 0 : row - 1);
  rows_.erase(rows_.begin() + (row - 1));
  if (row_ > RowCount()) row_ = RowCount();
  Refresh();
}

void TValueListEditor::InsertEmptyRow() {
  if (row_ >= 1 && RowText(row_) == "=") return;
  InsertRow("", "", false);
}

void TValueListEditor::DeleteCurrentRow() {
  if (RowCount() == 0) throw EListError(0);
  const int doomed = row_;
  if (row_ == RowCount() && RowCount() > 1) row_ = row_ - 1;
  rows_.erase(rows_.begin() + (doomed - 1));
  if (row_ > RowCount()) row_ = RowCount();
  Refresh();
}

void TValueListEditor::SetFocus() { table_->setFocus(); }

void TValueListEditor::SetRow(int row) {
  if (row < 1 || row > RowCount()) throw EListError(row);
  row_ = row;
  Refresh();
}

void TValueListEditor::Refresh() {
  const QSignalBlocker block(table_);
  const int shown = rows_.empty() ? 1 : RowCount();
  table_->setRowCount(shown);
  for (int r = 0; r < shown; ++r) {
    const bool blank = rows_.empty();
    const std::string key = blank ? std::string() : Keys(r + 1);
    const std::string value = blank ? std::string() : Values(r + 1);
    table_->setItem(r, 0, new QTableWidgetItem(ToQString(key)));
    table_->setItem(r, 1, new QTableWidgetItem(ToQString(value)));
  }
  if (row_ >= 1) table_->setCurrentCell(row_ - 1, 1);
}

}  // namespace ui
