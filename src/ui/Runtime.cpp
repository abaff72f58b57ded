#include "ui/Runtime.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <unordered_map>

#include "ui/Text.h"

namespace ui {

// ---------------------------------------------------------------------------------------
EventGate& EventGate::Instance() {
  static EventGate gate;
  return gate;
}

EventGate::Hold::Hold() { ++Instance().depth_; }

EventGate::Hold::~Hold() {
  EventGate& g = Instance();
  if (--g.depth_ == 0 && !g.draining_) g.Drain();
}

void EventGate::Drain() {
  draining_ = true;
  while (!queue_.empty()) {
    auto event = std::move(queue_.front());
    queue_.pop_front();
    ++depth_;
    Guard(event);
    --depth_;
  }
  draining_ = false;
}

void EventGate::Post(std::function<void()> event) {
  if (depth_ > 0 || draining_) {
    queue_.push_back(std::move(event));
    return;
  }
  {
    Hold hold;
    Guard(event);
  }
}

void Guard(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unknown error");
  }
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void ShowError(const std::string& message) {
  // The box is modal: events that arrive while it is open wait in the gate.
  EventGate::Hold hold;
  dialogs().ShowErrorBox("VIRodo", ErrorBoxText(message));
}

// ---------------------------------------------------------------------------------------
void Pause(int ms) {
  EventGate::Hold hold;
  if (ms > 0) clock().Sleep(ms);
}

struct RealClock::Impl {
  QElapsedTimer elapsed;
  int nextId = 1;
  std::unordered_map<int, QTimer*> timers;
};

RealClock::RealClock() : impl_(std::make_shared<Impl>()) { impl_->elapsed.start(); }

long long RealClock::NowMs() const { return impl_->elapsed.elapsed(); }

int RealClock::CallLater(int ms, std::function<void()> fn) {
  const int id = impl_->nextId++;
  auto* timer = new QTimer();
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  std::weak_ptr<Impl> weak = impl_;
  QObject::connect(timer, &QTimer::timeout, [weak, id, timer, fn = std::move(fn)]() {
    if (auto impl = weak.lock()) impl->timers.erase(id);
    timer->deleteLater();
    fn();
  });
  impl_->timers[id] = timer;
  timer->start(ms < 0 ? 0 : ms);
  return id;
}

void RealClock::Cancel(int id) {
  auto it = impl_->timers.find(id);
  if (it == impl_->timers.end()) return;
  it->second->stop();
  it->second->deleteLater();
  impl_->timers.erase(it);
}

void RealClock::Sleep(int ms) {
  // A nested loop that leaves user input waiting; timer ticks and received bytes that come
  // meanwhile are posted to the gate, which is held, so they run after the pause.
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

// ---------------------------------------------------------------------------------------
int VirtualClock::CallLater(int ms, std::function<void()> fn) {
  const int id = nextId_++;
  queue_.emplace(Key{now_ + (ms < 0 ? 0 : ms), seq_++}, std::make_pair(id, std::move(fn)));
  return id;
}

void VirtualClock::Cancel(int id) {
  for (auto it = queue_.begin(); it != queue_.end(); ++it) {
    if (it->second.first == id) {
      queue_.erase(it);
      return;
    }
  }
}

void VirtualClock::Advance(long long ms) {
  const long long target = now_ + (ms < 0 ? 0 : ms);
  while (!queue_.empty() && queue_.begin()->first.due <= target) {
    auto node = queue_.extract(queue_.begin());
    if (node.key().due > now_) now_ = node.key().due;
    node.mapped().second();
  }
  if (target > now_) now_ = target;
}

void VirtualClock::RunUntilIdle(long long limitMs) {
  const long long end = now_ + limitMs;
  while (!queue_.empty() && queue_.begin()->first.due <= end) {
    auto node = queue_.extract(queue_.begin());
    if (node.key().due > now_) now_ = node.key().due;
    node.mapped().second();
  }
}

// ---------------------------------------------------------------------------------------
std::string QtFilterFrom(const std::string& filter) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto bar = filter.find('|', start);
    parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  std::string out;
  for (std::size_t i = 0; i < parts.size(); i += 2) {
    std::string description = parts[i];
    const std::string pattern = i + 1 < parts.size() ? parts[i + 1] : std::string();
    if (description.empty()) description = pattern;
    std::string entry = description;
    // Qt reads the patterns from the parentheses; add them when the description lacks them.
    if (!pattern.empty() && description.find('(') == std::string::npos) {
      std::string spaced = pattern;
      for (auto& c : spaced)
        if (c == ';') c = ' ';
      entry += " (" + spaced + ")";
    }
    if (!out.empty()) out += ";;";
    out += entry;
  }
  return out;
}

std::optional<std::string> QtDialogs::RunFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow());
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::AnyFile);
  dialog.setNameFilter(ToQString(QtFilterFrom(request.filter)));
  if (!request.initialDir.empty()) dialog.setDirectory(ToQString(request.initialDir));
  if (!request.fileName.empty()) dialog.selectFile(ToQString(request.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(dialog.selectedFiles().first());
}

void QtDialogs::ShowErrorBox(const std::string& title, const std::string& text) {
  QMessageBox box(QMessageBox::Critical, ToQString(title), ToQString(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

std::optional<std::string> ScriptedDialogs::RunFileDialog(const FileDialogRequest& request) {
  requests.push_back(request);
  if (answers_.empty()) return std::nullopt;
  auto answer = std::move(answers_.front());
  answers_.pop_front();
  return answer;
}

void ScriptedDialogs::ShowErrorBox(const std::string& title, const std::string& text) {
  titles.push_back(title);
  errors.push_back(text);
  if (whileErrorBoxOpen) whileErrorBoxOpen();
}

// ---------------------------------------------------------------------------------------
Env& env() {
  static Env current;
  return current;
}

Clock& clock() {
  Env& e = env();
  if (!e.clock) {
    static RealClock real;
    e.clock = &real;
  }
  return *e.clock;
}

Dialogs& dialogs() {
  Env& e = env();
  if (!e.dialogs) {
    static QtDialogs real;
    e.dialogs = &real;
  }
  return *e.dialogs;
}

RuntimeScope::RuntimeScope(Clock* clock, Dialogs* dialogs) : saved_(env()) {
  env().clock = clock;
  env().dialogs = dialogs;
}

RuntimeScope::~RuntimeScope() { env() = saved_; }

}  // namespace ui
