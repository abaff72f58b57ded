// The widget layer: thin controls over Qt widgets with the event rules the window logic
// relies on.
//
// - Setting an entry field's text runs its change handler exactly when the text differs.
// - Ticking or unticking a check box from code runs its click handler when the state changes.
// - Selecting an unselected radio button unselects the rest of its group, then runs its click
//   handler; unselecting runs nothing; a group may have nothing selected.
// - Track bars, progress bars and gauges hold their value inside their range.
// - Enabling a running timer does not restart it.
// - A user's action, a timer tick or received data runs through the event gate (ui/Runtime.h):
//   never inside another handler, always inside the error guard.
//
// Each control has its name as its Qt objectName. Texts are byte strings (ui/Text.h).
#pragma once

#include <QColor>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
class QLineEdit;
class QPlainTextEdit;
class QCheckBox;
class QRadioButton;
class QSlider;
class QProgressBar;
class QLabel;
class QGroupBox;
class QPushButton;
class QComboBox;
class QTabWidget;
class QFrame;

namespace ui {

using Handler = std::function<void()>;

class TControl {
 public:
  virtual ~TControl() = default;
  QWidget* Widget() const { return widget_; }
  std::string Name() const;

  void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;

  // The control's own Visible / Enabled property (as set, whatever its parents are).
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  const std::string& Hint() const { return hint_; }
  virtual void SetHint(const std::string& hint);

  void SetFontColor(const QColor& color);

 protected:
  void Attach(QWidget* widget, QWidget* parent, const std::string& name);
  QWidget* widget_ = nullptr;
  bool visible_ = true;
  bool enabled_ = true;
  std::string hint_;
};

// Anything with a caption (labels, buttons, group boxes, check boxes, radio buttons).
class TCaptioned : public TControl {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);

 protected:
  virtual void ShowCaption() = 0;
  std::string caption_;
};

// Single-line entry field.
class TEdit : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& text = {});
  const std::string& Text() const { return text_; }
  // Runs OnChange when the text differs from the current one.
  void SetText(const std::string& text);
  // Caret position, in bytes of Text().
  int SelStart() const;
  void SetSelStart(int pos);
  // The Qt widget, showing the current text.
  QLineEdit* Edit() const;
  Handler OnChange;

 private:
  void UserEdited(const std::string& text);
  void ShowText() const;
  QLineEdit* edit_ = nullptr;
  std::string text_;
  mutable bool widgetStale_ = false;
  mutable int caretPending_ = -1;
  bool inUserEdit_ = false;
};

// Multi-line text. The lines are held here, so appending stays cheap however long it grows
// and bytes that are not UTF-8 survive; a user's edits are read back from the widget.
class TMemo : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height);
  void Add(const std::string& line);
  int Count() const;
  // Line i counted from 0; at or past the end (or negative) the empty text.
  std::string Line(int i) const;
  const std::vector<std::string>& Lines() const;
  void Clear();
  void SetReadOnly(bool readOnly);
  void SetBackground(const QColor& color);
  // Every line followed by CR LF, written whole (temporary file, then rename).
  void SaveToFile(const std::string& path) const;
  std::string Text() const;  // every line followed by CR LF
  QPlainTextEdit* Edit() const { return edit_; }

 private:
  void SyncFromWidget() const;
  QPlainTextEdit* edit_ = nullptr;
  mutable std::vector<std::string> lines_;
  mutable bool widgetChanged_ = false;
  bool programmatic_ = false;
};

class TCheckBox : public TCaptioned {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& caption);
  bool Checked() const { return checked_; }
  // Runs OnClick when the state changes.
  void SetChecked(bool checked);
  Handler OnClick;

 protected:
  void ShowCaption() override;

 private:
  QCheckBox* box_ = nullptr;
  bool checked_ = false;
};

class TRadioButton;

// The radio buttons that exclude each other. Nothing selected is allowed.
class TRadioGroup {
 public:
  void Add(TRadioButton& button);
  const std::vector<TRadioButton*>& Buttons() const { return buttons_; }
  TRadioButton* Selected() const;

 private:
  std::vector<TRadioButton*> buttons_;
};

class TRadioButton : public TCaptioned {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& caption);
  bool Checked() const { return checked_; }
  // true on an unselected button: unselects the rest of the group, then runs OnClick.
  // false: unselects, runs nothing.
  void SetChecked(bool checked);
  Handler OnClick;

 protected:
  void ShowCaption() override;

 private:
  friend class TRadioGroup;
  void ShowState();
  QRadioButton* radio_ = nullptr;
  TRadioGroup* group_ = nullptr;
  bool checked_ = false;
};

// A control whose position is held inside its range Min..Max.
class TRangeControl : public TControl {
 public:
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int min);
  void SetMax(int max);
  void SetPosition(int position);
  // Runs when the position changes.
  Handler OnChange;

 protected:
  void InitRange(int min, int max, int position);
  virtual void Show() = 0;

 private:
  int min_ = 0, max_ = 100, position_ = 0;
};

class TTrackBar : public TRangeControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              bool vertical, int min, int max, int position);

 protected:
  void Show() override;

 private:
  QSlider* slider_ = nullptr;
};

class TProgressBar : public TRangeControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              bool vertical, int min, int max, int position);

 protected:
  void Show() override;

 private:
  QProgressBar* bar_ = nullptr;
};

class GaugeWidget;

// A bar without text: value held inside its range, bar colour settable.
class TGauge : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              int min, int max);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }
  void SetProgress(int value);
  QColor ForeColor() const { return fore_; }
  void SetForeColor(const QColor& color);
  void SetBackColor(const QColor& color);

 private:
  friend class GaugeWidget;
  int min_ = 0, max_ = 100, progress_ = 0;
  QColor fore_{0, 0, 0};
  QColor back_{128, 128, 128};
};

class TLabel : public TCaptioned {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& caption);
  QLabel* Label() const { return label_; }

 protected:
  void ShowCaption() override;

 private:
  QLabel* label_ = nullptr;
};

class TGroupBox : public TCaptioned {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& caption);

 protected:
  void ShowCaption() override;

 private:
  QGroupBox* box_ = nullptr;
};

// A plain white panel behind entry fields, or a sunken frame (bevel).
class TPanel : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const QColor& background, bool sunkenFrame);
};

// A button, optionally with a picture (resource path of a glyph).
class TButton : public TCaptioned {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::string& caption, const char* glyph = nullptr);
  // A user's click: runs OnClick through the event gate when the button is usable.
  void Click();
  Handler OnClick;
  QPushButton* Button() const { return button_; }

 protected:
  void ShowCaption() override;

 private:
  QPushButton* button_ = nullptr;
};

// Editable drop-down list. OnChange runs for every change of the text by the user, typed or
// picked; setting the text from code runs nothing.
class TComboBox : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::vector<std::string>& items, int itemIndex);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int ItemIndex() const;
  int ItemCount() const;
  // The Qt widget, editable and showing the current text.
  QComboBox* Combo();
  Handler OnChange;

 private:
  void MakeEditable();
  QComboBox* combo_ = nullptr;
  std::string text_;
};

class TPageControl;

// A page of a page control. Disabling it disables everything on it; its tab stays.
class TTabSheet : public TCaptioned {
 public:
  void Create(TPageControl& owner, const std::string& name, const std::string& caption,
              const char* icon = nullptr);
  void SetHint(const std::string& hint) override;
  QWidget* Page() const { return widget_; }

 protected:
  void ShowCaption() override;

 private:
  TPageControl* owner_ = nullptr;
};

class TPageControl : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              int iconSize = 0);
  TTabSheet* ActivePage() const;
  void SetActivePage(TTabSheet& page);
  QTabWidget* Tabs() const { return tabs_; }
  int IndexOf(const TTabSheet& page) const;

 private:
  friend class TTabSheet;
  QTabWidget* tabs_ = nullptr;
  std::vector<TTabSheet*> pages_;
};

class TStatusBar : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const std::vector<std::pair<std::string, int>>& panels);
  int PanelCount() const { return static_cast<int>(texts_.size()); }
  const std::string& PanelText(int i) const { return texts_.at(static_cast<std::size_t>(i)); }
  void SetPanelText(int i, const std::string& text);
  int PanelWidth(int i) const;

 private:
  std::vector<std::string> texts_;
  std::vector<QLabel*> labels_;
};

// A picture at its own size (a resource path); hidden or shown.
class TImage : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const char* picture);
  // Whether the picture could be loaded (loads it when not yet shown).
  bool HasPicture();

 private:
  void Load();
  std::string picture_;
  bool loaded_ = false;
  bool hasPicture_ = false;
};

// A filled circle without outline.
class TShape : public TControl {
 public:
  void Create(QWidget* parent, const std::string& name, int left, int top, int width, int height,
              const QColor& brush);
  QColor Brush() const { return brush_; }

 private:
  QColor brush_;
};

// Timer on the program's clock. Enabling a running timer does not restart it; changing the
// interval of a running timer starts the interval anew. Ticks run through the event gate.
class TTimer {
 public:
  explicit TTimer(int intervalMs = 1000, bool enabled = true);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  Handler OnTimer;

 private:
  void Start();
  void Stop();
  void Tick(long long generation);
  int interval_;
  bool enabled_ = false;
  int pendingCall_ = 0;
  bool tickQueued_ = false;
  long long generation_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The standard open and save dialogs. The filter takes "Description|*.ext" pairs. A dialog
// proposes the name last chosen in it.
class TFileDialog {
 public:
  explicit TFileDialog(bool save) : save_(save) {}
  std::string Filter;
  std::string InitialDir;
  std::string FileName;
  // true when the user chose a file (FileName holds it).
  bool Execute();

 private:
  bool save_;
};

class TOpenDialog : public TFileDialog {
 public:
  TOpenDialog() : TFileDialog(false) {}
};

class TSaveDialog : public TFileDialog {
 public:
  TSaveDialog() : TFileDialog(true) {}
};

}  // namespace ui
