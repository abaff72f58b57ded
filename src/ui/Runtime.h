// The services every control and handler relies on: the event gate, the clock and the
// dialogs. The program uses the real ones; tests install a virtual clock and scripted
// dialogs with RuntimeScope.
#pragma once

#include <deque>
#include <memory>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ui {

// ---------------------------------------------------------------------------------------
// Event gate. Every event entry point (a user's click or edit, a timer tick, a batch of
// received bytes) is posted here. An event runs at once when no other event is running;
// otherwise (inside another handler, during a pause, while a modal box is open) it waits and
// runs afterwards, in arrival order. Each event runs inside the error guard.
class EventGate {
 public:
  static EventGate& Instance();

  void Post(std::function<void()> event);
  bool Busy() const { return depth_ > 0; }
  std::size_t Waiting() const { return queue_.size(); }

  // Marks the program busy for its lifetime; events posted meanwhile wait.
  class Hold {
   public:
    Hold();
    ~Hold();
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;
  };

 private:
  void Drain();
  int depth_ = 0;
  bool draining_ = false;
  std::deque<std::function<void()>> queue_;
};

// Runs fn; an exception leaving it is shown in the error box and the program goes on.
void Guard(const std::function<void()>& fn);

// The text the error box shows: a full stop is appended when the last character sorts
// after "." (letters and digits do).
std::string ErrorBoxText(const std::string& message);

// Shows an error box titled "VIRodo" through the current dialogs.
void ShowError(const std::string& message);

// ---------------------------------------------------------------------------------------
// Clock: pauses, timers and delayed calls. Real time in the program, virtual in tests.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual long long NowMs() const = 0;
  // Runs fn once after ms milliseconds. fn is plain code (the device model, a timer's
  // bookkeeping); whatever it wants to run as an event it posts to the gate.
  virtual int CallLater(int ms, std::function<void()> fn) = 0;
  virtual void Cancel(int id) = 0;

 protected:
  friend void Pause(int ms);
  // Lets time pass for ms milliseconds while the gate is held.
  virtual void Sleep(int ms) = 0;
};

// A blocking pause: while it lasts no handler runs, no received byte is handled, no click
// and no timer tick is processed; what arrived meanwhile is handled afterwards, in order.
// The window may keep repainting.
void Pause(int ms);

class RealClock : public Clock {
 public:
  RealClock();
  long long NowMs() const override;
  int CallLater(int ms, std::function<void()> fn) override;
  void Cancel(int id) override;

 protected:
  void Sleep(int ms) override;

 private:
  struct Impl;
  std::shared_ptr<Impl> impl_;
};

// Time that moves only when a test (or a pause) moves it.
class VirtualClock : public Clock {
 public:
  long long NowMs() const override { return now_; }
  int CallLater(int ms, std::function<void()> fn) override;
  void Cancel(int id) override;

  // Moves time forward by ms, running everything due on the way, in time order.
  void Advance(long long ms);
  // Runs everything due now or within `limitMs`, stopping early once nothing is scheduled.
  void RunUntilIdle(long long limitMs = 600000);
  bool HasPending() const { return !queue_.empty(); }

 protected:
  void Sleep(int ms) override { Advance(ms); }

 private:
  struct Key {
    long long due;
    long long seq;
    bool operator<(const Key& o) const { return due != o.due ? due < o.due : seq < o.seq; }
  };
  long long now_ = 0;
  long long seq_ = 0;
  std::map<Key, std::pair<int, std::function<void()>>> queue_;
  int nextId_ = 1;
};

// ---------------------------------------------------------------------------------------
// Dialogs: the standard file dialogs and the error box.
struct FileDialogRequest {
  bool save = false;
  std::string filter;      // "Description|*.ext|Description|*.ext"
  std::string initialDir;
  std::string fileName;    // proposed name
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen file, or nothing when the user cancels.
  virtual std::optional<std::string> RunFileDialog(const FileDialogRequest& request) = 0;
  virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;
};

// Qt's dialogs: non-native, no overwrite prompt, no default extension.
class QtDialogs : public Dialogs {
 public:
  std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
  void ShowErrorBox(const std::string& title, const std::string& text) override;
};

// "KEL files (*.kel)|*.kel" -> "KEL files (*.kel)" in Qt's filter form.
std::string QtFilterFrom(const std::string& filter);

// Scripted answers for tests: file dialog answers are taken in order (nothing queued means
// cancel); every request and every error box is recorded.
class ScriptedDialogs : public Dialogs {
 public:
  std::optional<std::string> RunFileDialog(const FileDialogRequest& request) override;
  void ShowErrorBox(const std::string& title, const std::string& text) override;

  void NextFile(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  std::vector<FileDialogRequest> requests;
  std::vector<std::string> errors;   // the texts as shown
  std::vector<std::string> titles;
  // Runs inside the error box, while it is "open" (tests check what may happen meanwhile).
  std::function<void()> whileErrorBoxOpen;

 private:
  std::deque<std::optional<std::string>> answers_;
};

// ---------------------------------------------------------------------------------------
struct Env {
  Clock* clock = nullptr;
  Dialogs* dialogs = nullptr;
};

// The current services; the real ones unless a RuntimeScope replaced them.
Env& env();
Clock& clock();
Dialogs& dialogs();

class RuntimeScope {
 public:
  RuntimeScope(Clock* clock, Dialogs* dialogs);
  ~RuntimeScope();
  RuntimeScope(const RuntimeScope&) = delete;
  RuntimeScope& operator=(const RuntimeScope&) = delete;

 private:
  Env saved_;
};

}  // namespace ui
