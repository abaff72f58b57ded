// The name/value grid: an ordered list of rows, each stored as one text "name=number".
// The name is the text before the first "=", the number everything after it; a row without
// "=" has an empty name and the whole text as number. A row whose name and number are both
// empty is an empty row. With no rows the grid shows one blank line under the titles, which
// is no row; typing into it creates the first row.
//
// The grid's own keys, as a user meets them:
// - cells are edited in place (typing, F2, double click); Escape in a cell undoes its edit;
// - "=" typed into a name is refused with an error box, the name keeps its text;
// - Insert: an empty row at the current row, when the current row's name is not empty;
// - Down on the last row: an empty row after it, when the last row's name is not empty;
// - Ctrl+Delete deletes the current row; Ctrl+Up / Ctrl+Down go to the first / last row;
// - Escape on an empty row, with no edit in progress, removes that row.
// Empty-row rule: when the selection leaves an empty row for another row, the empty row is
// removed, and the selection lands on the chosen row (renumbered after the removal).
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

class QTableWidget;
class QTableWidgetItem;

namespace ui {

class ValueGrid;
class NameValueDelegate;

class TValueListEditor : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height);

  // Rows, counted from 1 as the grid counts them below its title line.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& RowText(int row) const;      // the stored text
  std::string Keys(int row) const;                // name
  std::string Values(int row) const;              // number
  bool IsEmptyRow(int row) const;                 // name and number both empty
  const std::vector<std::string>& Strings() const { return rows_; }

  // All rows, each followed by CR LF.
  std::string Text() const;
  // Replaces all rows by the lines of text (CR LF, CR or LF ends a line).
  void SetText(const std::string& text);
  void SetStrings(const std::vector<std::string>& rows);
  void Clear();

  // First row whose name equals name, ignoring letter case; rows without "=" never match.
  // Returns the row (from 1) or 0 when there is none.
  int FindRow(const std::string& name) const;
  // Inserts name=number at the current row (append false) or after the last row (append true).
  // Inserting makes the new row current; appending leaves the current row where it is (the
  // first row becomes current when there was none). Returns the new row.
  int InsertRow(const std::string& name, const std::string& number, bool append);
  void DeleteRow(int row);
  // Insert Line: an empty row at the current row, unless the current row is empty already.
  void InsertEmptyRow();
  // Delete Line: removes the current row; on the last of several rows the row above becomes
  // current. With no rows: the list's index error for index 0, nothing changes.
  void DeleteCurrentRow();

  // The current row (from 1); 0 when there are no rows. Setting it follows the empty-row rule.
  int Row() const { return row_; }
  void SetRow(int row);
  // The current column: 0 name, 1 number (the number column at first).
  int Col() const { return col_; }

  void SetFocus();
  // The grid widget, built on first use (it is built when first shown as well).
  QTableWidget* Table();

 private:
  friend class ValueGrid;
  friend class NameValueDelegate;

  // Moves the selection to row, removing an empty row that it leaves.
  void SelectRow(int row);
  // A user's key on the grid (no cell being edited); true when the grid handles it itself.
  bool GridKey(int key, bool ctrl);
  // A cell edit the user committed: row counted from 1 (the blank line is row 1), col 0 or 1.
  void CellEdited(int row, int col, const std::string& text);
  // The user moved the grid's current cell.
  void CurrentCellMoved(int row, int col);
  // Shows rows_ and row_/col_ in the table.
  void Refresh();

  ValueGrid* table_ = nullptr;
  std::vector<std::string> rows_;
  int row_ = 0;
  int col_ = 1;
};

// The message for an "=" typed into a name.
inline constexpr const char* kKeyEqualsSignMessage = "Key may not contain equals sign (\"=\")";

}  // namespace ui
