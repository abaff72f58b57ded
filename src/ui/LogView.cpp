#include "ui/LogView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "ui/FileIO.h"
#include "ui/Text.h"

namespace ui {

class LogViewWidget : public QAbstractScrollArea {
 public:
  explicit LogViewWidget(TLogView* owner) : owner_(owner) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(true);
    viewport()->setCursor(Qt::IBeamCursor);
  }

  // Called after lines were added or removed: keeps the scroll range in step and follows the
  // end while the view is scrolled to the end.
  void LinesChanged() {
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    UpdateRange();
    if (atEnd) bar->setValue(bar->maximum());
    viewport()->update();
  }

  int anchor = -1;
  int current = -1;

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QAbstractScrollArea::resizeEvent(e);
    UpdateRange();
  }

  void paintEvent(QPaintEvent*) override {
    QPainter p(viewport());
    const int h = LineHeight();
    const int first = verticalScrollBar()->value();
    const int rows = viewport()->height() / h + 2;
    const auto& lines = owner_->lines_;
    const auto [selFirst, selLast] = owner_->Selection();
    for (int r = 0; r < rows; ++r) {
      const int i = first + r;
      if (i >= static_cast<int>(lines.size())) break;
      const QRect rect(0, r * h, viewport()->width(), h);
      const bool selected = i >= selFirst && i <= selLast && selFirst >= 0;
      if (selected) p.fillRect(rect, palette().color(QPalette::Highlight));
      p.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
      p.drawText(rect.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                 ToQString(lines[static_cast<std::size_t>(i)]));
    }
  }

  void mousePressEvent(QMouseEvent* e) override {
    const int i = LineAt(e->position().toPoint().y());
    if (!(e->modifiers() & Qt::ShiftModifier) || anchor < 0) anchor = i;
    current = i;
    viewport()->update();
  }

  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton) || anchor < 0) return;
    current = LineAt(e->position().toPoint().y());
    viewport()->update();
  }

  void keyPressEvent(QKeyEvent* e) override {
    if (e->matches(QKeySequence::SelectAll)) {
      anchor = 0;
      current = owner_->Count() - 1;
      viewport()->update();
    } else if (e->matches(QKeySequence::Copy)) {
      const auto [a, b] = owner_->Selection();
      if (a < 0) return;
      std::string text;
      for (int i = a; i <= b; ++i) {
        text += owner_->Line(i);
        text += '\n';
      }
      QApplication::clipboard()->setText(ToQString(text));
    } else {
      QAbstractScrollArea::keyPressEvent(e);
    }
  }

 private:
  int LineHeight() const { return std::max(1, fontMetrics().height()); }
  int LineAt(int y) const {
    const int i = verticalScrollBar()->value() + std::max(0, y) / LineHeight();
    return std::min(i, owner_->Count() - 1);
  }
  void UpdateRange() {
    const int visible = std::max(1, viewport()->height() / LineHeight());
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, owner_->Count() - visible));
    bar->setPageStep(visible);
    bar->setSingleStep(1);
  }

  TLogView* owner_;
};

void TLogView::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height) {
  view_ = new LogViewWidget(this);
  Attach(view_, parent, name);
  SetBounds(left, top, width, height);
}

void TLogView::Add(const std::string& line) {
  lines_.push_back(line);
  view_->LinesChanged();
}

std::string TLogView::Line(int i) const {
  if (i < 0 || i >= Count()) return {};
  return lines_[static_cast<std::size_t>(i)];
}

void TLogView::Clear() {
  lines_.clear();
  view_->anchor = view_->current = -1;
  view_->LinesChanged();
}

void TLogView::SetBackground(const QColor& color) {
  QPalette p = view_->viewport()->palette();
  p.setColor(QPalette::Window, color);
  p.setColor(QPalette::Base, color);
  view_->viewport()->setPalette(p);
}

std::string TLogView::Text() const {
  std::size_t size = 0;
  for (const auto& l : lines_) size += l.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& l : lines_) {
    out += l;
    out += "\r\n";
  }
  return out;
}

void TLogView::SaveToFile(const std::string& path) const { WriteFileAtomic(path, Text()); }

std::pair<int, int> TLogView::Selection() const {
  if (!view_ || view_->anchor < 0 || view_->current < 0) return {-1, -1};
  return {std::min(view_->anchor, view_->current), std::max(view_->anchor, view_->current)};
}

}  // namespace ui
