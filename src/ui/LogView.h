// A read-only multi-line log (the traffic monitor). Lines are held here and painted straight
// from the list, only those in view, so appending stays cheap however long the log grows
// (a service day can bring a million lines). Lines can be selected with the mouse or Ctrl+A
// and copied with Ctrl+C.
#pragma once

#include <string>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class LogViewWidget;

class TLogView : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height);
  void Add(const std::string& line);
  int Count() const { return static_cast<int>(lines_.size()); }
  // Line i counted from 0; at or past the end (or negative) the empty text.
  std::string Line(int i) const;
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear();
  void SetBackground(const QColor& color);
  // Every line followed by CR LF.
  std::string Text() const;
  // Every line followed by CR LF, written whole (temporary file, then rename).
  void SaveToFile(const std::string& path) const;
  // The lines selected for copying (first, last), or (-1, -1).
  std::pair<int, int> Selection() const;

 private:
  friend class LogViewWidget;
  LogViewWidget* view_ = nullptr;
  std::vector<std::string> lines_;
};

}  // namespace ui
