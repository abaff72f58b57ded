#include "ui/Controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QStyleOptionGroupBox>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <algorithm>
#include <utility>

#include "ui/FileIO.h"
#include "ui/Jpeg.h"
#include "ui/Png.h"
#include "ui/Runtime.h"
#include "ui/Text.h"

namespace ui {

namespace {
int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// The opaque colour of over drawn with alpha (0..255) on top of under.
QColor Blend(const QColor& under, const QColor& over, int alpha) {
  return QColor(under.red() + (over.red() - under.red()) * alpha / 255,
                under.green() + (over.green() - under.green()) * alpha / 255,
                under.blue() + (over.blue() - under.blue()) * alpha / 255);
}

// The frames drawn here copy the Fusion style's; any other style draws its own.
bool FusionStyle(const QWidget* widget) {
  return widget->style()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;
}

// The window's pictures: photos are JPEG, everything else PNG, both decoded by our own
// readers so that Qt's image plug-ins are never loaded.
QImage LoadPicture(const QString& path) {
  return path.endsWith(QLatin1String(".jpg")) ? LoadJpeg(path) : LoadPng(path);
}

QIcon PictureIcon(const char* path) { return QIcon(QPixmap::fromImage(LoadPicture(QString::fromLatin1(path)))); }

// Posts a user's action to the gate, unless the widget is gone by the time it runs.
template <typename W, typename F>
void PostUserEvent(W* widget, F&& fn) {
  QPointer<W> guard(widget);
  EventGate::Instance().Post([guard, fn = std::forward<F>(fn)]() {
    if (guard) fn();
  });
}
}  // namespace

// ---------------------------------------------------------------------------------------
std::string TControl::Name() const { return widget_ ? FromQString(widget_->objectName()) : std::string(); }

void TControl::Attach(QWidget* widget, QWidget* parent, const std::string& name) {
  widget_ = widget;
  // Widgets made with their parent skip the costlier re-parenting of a top-level widget.
  if (parent && widget_->parentWidget() != parent) widget_->setParent(parent);
  widget_->setObjectName(ToQString(name));
}

void TControl::SetBounds(int left, int top, int width, int height) {
  widget_->setGeometry(left, top, width, height);
}
int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  widget_->setVisible(visible);
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

void TControl::SetHint(const std::string& hint) {
  hint_ = hint;
  widget_->setToolTip(ToQString(hint));
}

void TControl::SetFontColor(const QColor& color) {
  QPalette p = widget_->palette();
  p.setColor(QPalette::WindowText, color);
  p.setColor(QPalette::ButtonText, color);
  p.setColor(QPalette::Text, color);
  widget_->setPalette(p);
}

void TCaptioned::SetCaption(const std::string& caption) {
  caption_ = caption;
  ShowCaption();
}

// ---------------------------------------------------------------------------------------
namespace {
// Runs fn each time the widget is shown. Controls use it for work that can wait until the
// widget is on screen: a field's text set out of sight, a picture's decoding.
class ShowWatcher : public QObject {
 public:
  ShowWatcher(QWidget* widget, std::function<void()> fn) : QObject(widget), fn_(std::move(fn)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Show) fn_();
    return false;
  }

 private:
  std::function<void()> fn_;
};
}  // namespace

void TEdit::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                   const std::string& text) {
  edit_ = new QLineEdit(parent);
  Attach(edit_, parent, name);
  SetBounds(left, top, width, height);
  text_ = text;
  edit_->setText(ToQString(text));
  new ShowWatcher(edit_, [this] { Edit(); });  // a text set out of sight reaches the widget
  QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this](const QString& q) {
    const std::string typed = FromQString(q);
    PostUserEvent(edit_, [this, typed] { UserEdited(typed); });
  });
}

void TEdit::UserEdited(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  // While the user's edit runs, the widget holds what was typed; whatever the handler makes
  // of it must reach the widget at once, seen or not, or the next key would edit stale text.
  const bool outer = !inUserEdit_;
  inUserEdit_ = true;
  try {
    if (OnChange) OnChange();
  } catch (...) {
    if (outer) inUserEdit_ = false;
    throw;
  }
  if (outer) inUserEdit_ = false;
}

void TEdit::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  ShowText();
  if (OnChange) OnChange();
}

void TEdit::ShowText() const {
  // Laying out the widget's text is most of what a change costs; a field out of sight (on a
  // page not shown, or while a configuration streams in before the window opens) takes its
  // text when it is shown or used.
  if (!edit_->isVisible() && !inUserEdit_) {
    widgetStale_ = true;
    caretPending_ = -1;
    return;
  }
  widgetStale_ = false;
  const QSignalBlocker block(edit_);
  edit_->setText(ToQString(text_));
}

QLineEdit* TEdit::Edit() const {
  if (widgetStale_) {
    widgetStale_ = false;
    const QSignalBlocker block(edit_);
    edit_->setText(ToQString(text_));
    if (caretPending_ >= 0)
      edit_->setCursorPosition(
          static_cast<int>(ToQString(text_.substr(0, static_cast<std::size_t>(caretPending_))).size()));
  }
  caretPending_ = -1;
  return edit_;
}

int TEdit::SelStart() const {
  QLineEdit* edit = Edit();
  const QString shown = edit->text().left(edit->cursorPosition());
  return static_cast<int>(FromQString(shown).size());
}

void TEdit::SetSelStart(int pos) {
  pos = Clamp(pos, 0, static_cast<int>(text_.size()));
  if (widgetStale_) {
    caretPending_ = pos;  // placed when the text reaches the widget
    return;
  }
  edit_->setCursorPosition(static_cast<int>(ToQString(text_.substr(0, static_cast<std::size_t>(pos))).size()));
}

// ---------------------------------------------------------------------------------------
void TMemo::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height) {
  edit_ = new QPlainTextEdit(parent);
  Attach(edit_, parent, name);
  SetBounds(left, top, width, height);
  edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  edit_->setUndoRedoEnabled(false);
  QObject::connect(edit_->document(), &QTextDocument::contentsChanged, edit_, [this] {
    if (!programmatic_) widgetChanged_ = true;
  });
}

void TMemo::SyncFromWidget() const {
  if (!widgetChanged_) return;
  widgetChanged_ = false;
  lines_.clear();
  const QTextDocument* doc = edit_->document();
  // An empty document holds one empty block but no line.
  if (doc->isEmpty()) return;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) lines_.push_back(FromQString(b.text()));
}

void TMemo::Add(const std::string& line) {
  SyncFromWidget();
  lines_.push_back(line);
  programmatic_ = true;
  edit_->appendPlainText(ToQString(line));
  programmatic_ = false;
}

int TMemo::Count() const {
  SyncFromWidget();
  return static_cast<int>(lines_.size());
}

std::string TMemo::Line(int i) const {
  SyncFromWidget();
  if (i < 0 || i >= static_cast<int>(lines_.size())) return {};
  return lines_[static_cast<std::size_t>(i)];
}

const std::vector<std::string>& TMemo::Lines() const {
  SyncFromWidget();
  return lines_;
}

void TMemo::Clear() {
  lines_.clear();
  widgetChanged_ = false;
  programmatic_ = true;
  edit_->clear();
  programmatic_ = false;
}

void TMemo::SetReadOnly(bool readOnly) { edit_->setReadOnly(readOnly); }

void TMemo::SetBackground(const QColor& color) {
  QPalette p = edit_->palette();
  p.setColor(QPalette::Base, color);
  edit_->setPalette(p);
}

std::string TMemo::Text() const {
  SyncFromWidget();
  std::string out;
  for (const auto& l : lines_) {
    out += l;
    out += "\r\n";
  }
  return out;
}

void TMemo::SaveToFile(const std::string& path) const { WriteFileAtomic(path, Text()); }

// ---------------------------------------------------------------------------------------
void TCheckBox::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                       const std::string& caption) {
  box_ = new QCheckBox(parent);
  Attach(box_, parent, name);
  SetBounds(left, top, width, height);
  SetCaption(caption);
  QObject::connect(box_, &QCheckBox::clicked, box_, [this](bool checked) {
    PostUserEvent(box_, [this, checked] {
      if (!enabled_) return;
      SetChecked(checked);
    });
  });
}

void TCheckBox::ShowCaption() { box_->setText(ToQString(caption_)); }

void TCheckBox::SetChecked(bool checked) {
  if (checked == checked_) {
    const QSignalBlocker block(box_);
    box_->setChecked(checked_);
    return;
  }
  checked_ = checked;
  {
    const QSignalBlocker block(box_);
    box_->setChecked(checked);
  }
  if (OnClick) OnClick();
}

// ---------------------------------------------------------------------------------------
void TRadioGroup::Add(TRadioButton& button) {
  buttons_.push_back(&button);
  button.group_ = this;
}

TRadioButton* TRadioGroup::Selected() const {
  for (auto* b : buttons_)
    if (b->Checked()) return b;
  return nullptr;
}

void TRadioButton::Create(QWidget* parent, const std::string& name, int left, int top, int width,
                          int height, const std::string& caption) {
  radio_ = new QRadioButton(parent);
  radio_->setAutoExclusive(false);  // the group logic lives here, so "none selected" is possible
  Attach(radio_, parent, name);
  SetBounds(left, top, width, height);
  SetCaption(caption);
  QObject::connect(radio_, &QRadioButton::clicked, radio_, [this](bool) {
    PostUserEvent(radio_, [this] {
      // Clicking a selected button leaves it selected and runs nothing.
      if (checked_ || !enabled_) {
        ShowState();
        return;
      }
      SetChecked(true);
    });
  });
}

void TRadioButton::ShowCaption() { radio_->setText(ToQString(caption_)); }

void TRadioButton::ShowState() {
  const QSignalBlocker block(radio_);
  radio_->setChecked(checked_);
}

void TRadioButton::SetChecked(bool checked) {
  if (!checked) {
    checked_ = false;
    ShowState();
    return;
  }
  if (checked_) {
    ShowState();
    return;
  }
  if (group_) {
    for (auto* other : group_->Buttons()) {
      if (other != this && other->checked_) {
        other->checked_ = false;
        other->ShowState();
      }
    }
  }
  checked_ = true;
  ShowState();
  if (OnClick) OnClick();
}

// ---------------------------------------------------------------------------------------
void TRangeControl::InitRange(int min, int max, int position) {
  min_ = min;
  max_ = max < min ? min : max;
  position_ = Clamp(position, min_, max_);
  Show();
}

void TRangeControl::SetMin(int min) { InitRange(min, max_ < min ? min : max_, position_); }

void TRangeControl::SetMax(int max) { InitRange(min_ > max ? max : min_, max, position_); }

void TRangeControl::SetPosition(int position) {
  const int p = Clamp(position, min_, max_);
  const bool changed = p != position_;
  position_ = p;
  Show();
  if (changed && OnChange) OnChange();
}

void TTrackBar::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                       bool vertical, int min, int max, int position) {
  slider_ = new QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent);
  Attach(slider_, parent, name);
  SetBounds(left, top, width, height);
  slider_->setTickPosition(QSlider::TicksBothSides);
  slider_->setTickInterval(1);
  slider_->setPageStep(1);
  // A vertical bar has its minimum at the top.
  if (vertical) slider_->setInvertedAppearance(true);
  if (vertical) slider_->setInvertedControls(true);
  InitRange(min, max, position);
  QObject::connect(slider_, &QSlider::valueChanged, slider_, [this](int value) {
    PostUserEvent(slider_, [this, value] { SetPosition(value); });
  });
}

void TTrackBar::Show() {
  const QSignalBlocker block(slider_);
  slider_->setRange(Min(), Max());
  slider_->setValue(Position());
}

// ---------------------------------------------------------------------------------------
void TProgressBar::Create(QWidget* parent, const std::string& name, int left, int top, int width,
                          int height, bool vertical, int min, int max, int position) {
  bar_ = new QProgressBar(parent);
  Attach(bar_, parent, name);
  SetBounds(left, top, width, height);
  bar_->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  bar_->setTextVisible(false);
  InitRange(min, max, position);
}

void TProgressBar::Show() {
  bar_->setRange(Min(), Max());
  bar_->setValue(Position());
}

// ---------------------------------------------------------------------------------------
class GaugeWidget : public QWidget {
 public:
  explicit GaugeWidget(TGauge* gauge) : gauge_(gauge) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, gauge_->back_);
    const int span = gauge_->max_ - gauge_->min_;
    if (span > 0) {
      const int w = static_cast<int>(static_cast<long long>(r.width()) * (gauge_->progress_ - gauge_->min_) / span);
      p.fillRect(QRect(r.left(), r.top(), w, r.height()), gauge_->fore_);
    }
    p.setPen(QColor(96, 96, 96));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  }

 private:
  TGauge* gauge_;
};

void TGauge::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                    int min, int max) {
  Attach(new GaugeWidget(this), parent, name);
  SetBounds(left, top, width, height);
  min_ = min;
  max_ = max;
  progress_ = min;
}

void TGauge::SetProgress(int value) {
  progress_ = Clamp(value, min_, max_);
  widget_->update();
}

void TGauge::SetForeColor(const QColor& color) {
  fore_ = color;
  widget_->update();
}

void TGauge::SetBackColor(const QColor& color) {
  back_ = color;
  widget_->update();
}

// ---------------------------------------------------------------------------------------
void TLabel::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                    const std::string& caption) {
  label_ = new QLabel(parent);
  Attach(label_, parent, name);
  SetBounds(left, top, width, height);
  label_->setWordWrap(false);
  SetCaption(caption);
}

void TLabel::ShowCaption() { label_->setText(ToQString(caption_)); }

namespace {
// A group box that draws its frame itself and leaves the title to the style. The style's own
// frame is a picture read from Qt's resources, and that first picture read is what makes Qt
// load every image plug-in it has: several milliseconds of the window's start-up for a plain
// rounded rectangle. The frame here has the same place and shades: an outer line, a lighter
// inner line and a fill a little darker than the window.
class FramedGroupBox : public QGroupBox {
 public:
  explicit FramedGroupBox(QWidget* parent) : QGroupBox(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!FusionStyle(this)) return QGroupBox::paintEvent(event);
    QStylePainter p(this);
    QStyleOptionGroupBox opt;
    initStyleOption(&opt);
    const QRect label = style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, this);
    const QColor window = opt.palette.color(QPalette::Window);
    // The frame starts one pixel in from the left, just under the title. Plain fills only:
    // an antialiased rounded outline costs more than the rest of the box's painting.
    const QRect outer = QRect(rect()).adjusted(1, label.bottom() + 2, 0, 0);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const QColor line = window.darker(111);
    p.fillRect(inner, window.darker(101));
    p.fillRect(outer.left() + 1, outer.top(), outer.width() - 2, 1, line);
    p.fillRect(outer.left() + 1, outer.bottom(), outer.width() - 2, 1, line);
    p.fillRect(outer.left(), outer.top() + 1, 1, outer.height() - 2, line);
    p.fillRect(outer.right(), outer.top() + 1, 1, outer.height() - 2, line);
    // Softened corners: half way between the line and the window behind.
    const QColor corner = Blend(window, line, 128);
    for (const QPoint& c : {outer.topLeft(), outer.topRight(), outer.bottomLeft(), outer.bottomRight()})
      p.fillRect(c.x(), c.y(), 1, 1, corner);
    // A lighter line just inside.
    const QColor shade = window.darker(103);
    p.fillRect(inner.left(), inner.top(), inner.width(), 1, shade);
    p.fillRect(inner.left(), inner.bottom(), inner.width(), 1, shade);
    p.fillRect(inner.left(), inner.top() + 1, 1, inner.height() - 2, shade);
    p.fillRect(inner.right(), inner.top() + 1, 1, inner.height() - 2, shade);
    opt.subControls &= ~QStyle::SC_GroupBoxFrame;
    p.drawComplexControl(QStyle::CC_GroupBox, opt);
  }
};
}  // namespace

void TGroupBox::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                       const std::string& caption) {
  box_ = new FramedGroupBox(parent);
  Attach(box_, parent, name);
  SetBounds(left, top, width, height);
  SetCaption(caption);
}

void TGroupBox::ShowCaption() { box_->setTitle(ToQString(caption_)); }

void TPanel::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                    const QColor& background, bool sunkenFrame) {
  auto* frame = new QFrame(parent);
  Attach(frame, parent, name);
  SetBounds(left, top, width, height);
  if (sunkenFrame) frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  if (background.isValid()) {
    frame->setAutoFillBackground(true);
    QPalette p = frame->palette();
    p.setColor(QPalette::Window, background);
    frame->setPalette(p);
  }
}

// ---------------------------------------------------------------------------------------
void TButton::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                     const std::string& caption, const char* glyph) {
  button_ = new QPushButton(parent);
  Attach(button_, parent, name);
  SetBounds(left, top, width, height);
  if (glyph) {
    // The picture is decoded when the button is first on screen: most of the window's
    // buttons sit on pages that are not open at start.
    button_->setIconSize(QSize(16, 16));
    new ShowWatcher(button_, [button = button_, glyph]() mutable {
      if (glyph) button->setIcon(PictureIcon(std::exchange(glyph, nullptr)));
    });
  }
  SetCaption(caption);
  QObject::connect(button_, &QPushButton::clicked, button_, [this] { Click(); });
}

void TButton::ShowCaption() { button_->setText(ToQString(caption_)); }

void TButton::Click() {
  PostUserEvent(button_, [this] {
    if (enabled_ && button_->isEnabled() && OnClick) OnClick();
  });
}

// ---------------------------------------------------------------------------------------
void TComboBox::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                       const std::vector<std::string>& items, int itemIndex) {
  combo_ = new QComboBox(parent);
  Attach(combo_, parent, name);
  SetBounds(left, top, width, height);
  for (const auto& item : items) combo_->addItem(ToQString(item));
  combo_->setCurrentIndex(itemIndex);
  text_ = FromQString(combo_->currentText());
  // The typing part (an entry field with its completer and the list it completes from)
  // costs more to make than all the rest of the list; it is made when the list first
  // reaches the screen, or when anything asks for the widget before.
  new ShowWatcher(combo_, [this] { Combo(); });
}

QComboBox* TComboBox::Combo() {
  if (!combo_->isEditable()) MakeEditable();
  return combo_;
}

void TComboBox::MakeEditable() {
  combo_->setEditable(true);
  combo_->setInsertPolicy(QComboBox::NoInsert);
  SetText(text_);
  QObject::connect(combo_, &QComboBox::editTextChanged, combo_, [this](const QString& q) {
    const std::string typed = FromQString(q);
    PostUserEvent(combo_, [this, typed] {
      if (typed == text_) return;
      text_ = typed;
      if (OnChange) OnChange();
    });
  });
}

void TComboBox::SetText(const std::string& text) {
  text_ = text;
  if (!combo_->isEditable()) return;  // shown when the typing part is made
  const QSignalBlocker block(combo_);
  combo_->setEditText(ToQString(text));
}

int TComboBox::ItemIndex() const { return combo_->findText(ToQString(text_)); }
int TComboBox::ItemCount() const { return combo_->count(); }

// ---------------------------------------------------------------------------------------
namespace {

// Tabs with a large icon above the caption, so that five captioned tabs with 40 x 40 icons
// fit the page control's width.
class IconAboveTextTabBar : public QTabBar {
 protected:
  QSize tabSizeHint(int index) const override {
    const QFontMetrics fm(font());
    const QSize icon = iconSize();
    const int w = std::max(icon.width(), fm.horizontalAdvance(tabText(index))) + 18;
    return {w, icon.height() + fm.height() + 14};
  }

  void paintEvent(QPaintEvent*) override {
    QStylePainter p(this);
    const QFontMetrics fm(font());
    for (int i = 0; i < count(); ++i) {
      QStyleOptionTab opt;
      initStyleOption(&opt, i);
      const QString text = opt.text;
      const QIcon icon = opt.icon;
      opt.text.clear();
      opt.icon = QIcon();
      p.drawControl(QStyle::CE_TabBarTabShape, opt);
      const QRect r = opt.rect;
      const QSize is = iconSize();
      const int lift = i == currentIndex() ? 0 : 2;
      const QIcon::Mode mode = isTabEnabled(i) ? QIcon::Normal : QIcon::Disabled;
      icon.paint(&p, QRect(r.center().x() - is.width() / 2, r.top() + 5 + lift, is.width(), is.height()),
                 Qt::AlignCenter, mode);
      p.setPen(palette().color(isTabEnabled(i) ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
      p.drawText(QRect(r.left(), r.top() + 7 + is.height() + lift, r.width(), fm.height()), Qt::AlignCenter, text);
    }
  }
};

// A page control that draws the frame around its pages itself, with the style's shades:
// an outline, a fill a little lighter than the window with a faint light line inside, and a
// shadow line under it. The style draws the same frame with stroked lines, which costs close
// to a millisecond for a page control of the window's size, on every paint.
class FramedTabWidget : public QTabWidget {
 protected:
  void paintEvent(QPaintEvent* event) override {
    if (!FusionStyle(this)) return QTabWidget::paintEvent(event);
    QStyleOptionTabWidgetFrame opt;
    initStyleOption(&opt);
    const QRect pane = style()->subElementRect(QStyle::SE_TabWidgetTabPane, &opt, this);
    if (pane.width() < 3 || pane.height() < 4) return;
    const QColor window = opt.palette.color(QPalette::Window);
    const QColor fill = window.lighter(105);
    QPainter p(this);
    const int x0 = pane.left(), x1 = pane.right(), y0 = pane.top(), y1 = pane.bottom();
    // Inside: the fill and the light line around it.
    p.fillRect(QRect(QPoint(x0 + 1, y0 + 1), QPoint(x1 - 1, y1 - 2)), Blend(fill, Qt::white, 30));
    p.fillRect(QRect(QPoint(x0 + 2, y0 + 2), QPoint(x1 - 2, y1 - 3)), fill);
    // The outline down to the last line but one, and the shadow as the last line.
    const QColor outline = window.darker(140);
    p.fillRect(x0, y0, pane.width(), 1, outline);
    p.fillRect(x0, y1 - 1, pane.width(), 1, outline);
    p.fillRect(x0, y0, 1, pane.height() - 1, outline);
    p.fillRect(x1, y0, 1, pane.height() - 1, outline);
    p.fillRect(x0, y1, pane.width(), 1, Blend(window, Qt::black, 15));
  }
};

class IconTabWidget : public FramedTabWidget {
 public:
  IconTabWidget() { setTabBar(new IconAboveTextTabBar()); }
};

}  // namespace

void TPageControl::Create(QWidget* parent, const std::string& name, int left, int top, int width,
                          int height, int iconSize) {
  tabs_ = iconSize > 0 ? new IconTabWidget() : new FramedTabWidget();
  Attach(tabs_, parent, name);
  SetBounds(left, top, width, height);
  if (iconSize > 0) tabs_->setIconSize(QSize(iconSize, iconSize));
}

TTabSheet* TPageControl::ActivePage() const {
  const int i = tabs_->currentIndex();
  return i >= 0 && i < static_cast<int>(pages_.size()) ? pages_[static_cast<std::size_t>(i)] : nullptr;
}

void TPageControl::SetActivePage(TTabSheet& page) { tabs_->setCurrentWidget(page.Page()); }

int TPageControl::IndexOf(const TTabSheet& page) const { return tabs_->indexOf(page.Page()); }

void TTabSheet::Create(TPageControl& owner, const std::string& name, const std::string& caption,
                       const char* icon) {
  owner_ = &owner;
  auto* page = new QWidget();
  page->setObjectName(ToQString(name));
  widget_ = page;
  owner.pages_.push_back(this);
  if (icon)
    owner.tabs_->addTab(page, PictureIcon(icon), QString());
  else
    owner.tabs_->addTab(page, QString());
  SetCaption(caption);
}

void TTabSheet::ShowCaption() { owner_->tabs_->setTabText(owner_->IndexOf(*this), ToQString(caption_)); }

void TTabSheet::SetHint(const std::string& hint) {
  hint_ = hint;
  owner_->tabs_->setTabToolTip(owner_->IndexOf(*this), ToQString(hint));
  widget_->setToolTip(ToQString(hint));
}

// ---------------------------------------------------------------------------------------
void TStatusBar::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                        const std::vector<std::pair<std::string, int>>& panels) {
  auto* bar = new QWidget();
  Attach(bar, parent, name);
  SetBounds(left, top, width, height);
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < panels.size(); ++i) {
    auto* label = new QLabel(bar);
    label->setObjectName(ToQString(name + "Panel" + std::to_string(i)));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setTextFormat(Qt::PlainText);
    // Every panel has its own width; the last one also takes what is left up to the window's
    // edge, so that a longer text there stays readable.
    const bool last = i + 1 == panels.size();
    if (last) label->setMinimumWidth(panels[i].second);
    else label->setFixedWidth(panels[i].second);
    layout->addWidget(label, last ? 1 : 0);
    labels_.push_back(label);
    texts_.push_back({});
    SetPanelText(static_cast<int>(i), panels[i].first);
  }
}

void TStatusBar::SetPanelText(int i, const std::string& text) {
  texts_.at(static_cast<std::size_t>(i)) = text;
  labels_.at(static_cast<std::size_t>(i))->setText(ToQString(text));
}

int TStatusBar::PanelWidth(int i) const { return labels_.at(static_cast<std::size_t>(i))->width(); }

// ---------------------------------------------------------------------------------------
void TImage::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                    const char* picture) {
  auto* label = new QLabel(parent);
  Attach(label, parent, name);
  // Decoded the first time it is really on screen: a photo whose page is never opened, or
  // that start-up hides again, is never decoded.
  new ShowWatcher(label, [this] { Load(); });
  SetBounds(left, top, width, height);
  label->setAttribute(Qt::WA_TranslucentBackground);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture_ = picture ? picture : "";
}

bool TImage::HasPicture() {
  Load();
  return hasPicture_;
}

void TImage::Load() {
  if (loaded_ || picture_.empty()) return;
  loaded_ = true;
  const QString path = QString::fromStdString(picture_);
  QImage image = LoadPicture(path);
  hasPicture_ = !image.isNull();
  if (hasPicture_) static_cast<QLabel*>(widget_)->setPixmap(QPixmap::fromImage(std::move(image)));
}

class ShapeWidget : public QWidget {
 public:
  explicit ShapeWidget(QColor brush) : brush_(brush) { setAttribute(Qt::WA_TranslucentBackground); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(brush_);
    p.drawEllipse(rect());
  }

 private:
  QColor brush_;
};

void TShape::Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
                    const QColor& brush) {
  brush_ = brush;
  Attach(new ShapeWidget(brush), parent, name);
  SetBounds(left, top, width, height);
}

// ---------------------------------------------------------------------------------------
TTimer::TTimer(int intervalMs, bool enabled) : interval_(intervalMs) { SetEnabled(enabled); }

TTimer::~TTimer() {
  *alive_ = false;
  Stop();
}

void TTimer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) {
    Stop();
    Start();
  }
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) Start();
  else Stop();
}

void TTimer::Start() {
  if (interval_ <= 0) return;
  const long long generation = ++generation_;
  std::weak_ptr<bool> alive = alive_;
  pendingCall_ = clock().CallLater(interval_, [this, alive, generation] {
    if (alive.lock()) Tick(generation);
  });
}

void TTimer::Stop() {
  ++generation_;
  if (pendingCall_) clock().Cancel(pendingCall_);
  pendingCall_ = 0;
}

void TTimer::Tick(long long generation) {
  if (generation != generation_ || !enabled_) return;
  // The next tick is due one interval later, whatever the handler does meanwhile.
  std::weak_ptr<bool> alive = alive_;
  pendingCall_ = clock().CallLater(interval_, [this, alive, generation] {
    if (alive.lock()) Tick(generation);
  });
  if (tickQueued_) return;  // ticks that pile up while the program is busy count once
  tickQueued_ = true;
  EventGate::Instance().Post([this, alive, generation] {
    if (!alive.lock()) return;
    tickQueued_ = false;
    if (generation != generation_ || !enabled_) return;
    if (OnTimer) OnTimer();
  });
}

// ---------------------------------------------------------------------------------------
bool TFileDialog::Execute() {
  FileDialogRequest request;
  request.save = save_;
  request.filter = Filter;
  request.initialDir = InitialDir;
  request.fileName = FileName;
  const auto chosen = dialogs().RunFileDialog(request);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

}  // namespace ui
