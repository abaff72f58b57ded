// The name/value grid: an ordered list of rows, each stored as one text "name=number".
// The name is the text before the first "=", the number everything after it; a row without
// "=" has an empty name and the whole text as number. With no rows the grid shows one blank
// line under the titles, which is no row.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

class QTableWidget;

namespace ui {

class TValueListEditor : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height);

  // Rows, counted from 1 as the grid counts them below its title line.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const std::string& RowText(int row) const;      // the stored text
  std::string Keys(int row) const;                // name
  std::string Values(int row) const;              // number
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
  // Returns the new row.
  int InsertRow(const std::string& name, const std::string& number, bool append);
  void DeleteRow(int row);
  // Insert Line: an empty row at the current row, unless the current row is empty already.
  void InsertEmptyRow();
  // Delete Line: removes the current row; on the last of several rows the row above becomes
  // current. With no rows: the list's index error for index 0.
  void DeleteCurrentRow();
  void SetFocus();

  // The current row (from 1); 0 when there are no rows.
  int Row() const { return row_; }
  void SetRow(int row);

  QTableWidget* Table() const { return table_; }

 protected:
  void Refresh();
  QTableWidget* table_ = nullptr;
  std::vector<std::string> rows_;
  int row_ = 0;
};

}  // namespace ui
