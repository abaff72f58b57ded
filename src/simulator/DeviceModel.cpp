#include "DeviceModel.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace kel {

namespace {

const std::string kImei = "356938035643809";
constexpr int kMaxNumberLength = 40;
constexpr int kMaxNameLength = 16;
constexpr int kCmeInvalidIndex = 21;
constexpr int kCmeTextTooLong = 24;
constexpr int kCmeDialStringTooLong = 26;
// A line longer than this is garbage; keep the buffer bounded.
constexpr std::size_t kMaxLineLength = 4096;
// Largest script AT#WSCRIPT accepts.
constexpr std::size_t kMaxScriptSize = 16 * 1024 * 1024;

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::string Framed(std::string_view text) {
  std::string result = "\r\n";
  result += text;
  result += "\r\n";
  return result;
}

// A non-negative decimal made of digits only (no sign, no spaces).
std::optional<long long> ParseNumber(std::string_view text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  long long value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-') {
    return std::nullopt;
  }
  return value;
}

std::string Unquoted(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return std::string(text);
}

struct PhoneBookWrite {
  int index = 0;
  bool erase = false;
  std::string number;
  std::string name;
};

// Parses the argument of AT+CPBW=.  Accepted forms:
//   i                        erase slot i
//   i,number,,name           what the PC tool sends: no quotes, empty type;
//                            the name is the rest of the line (may hold commas)
//   i,"number",type,"name"   standard form, type may be empty
// The name may be missing in both forms.  Returns nullopt on a syntax error.
std::optional<PhoneBookWrite> ParsePhoneBookWrite(std::string_view args) {
  PhoneBookWrite write;
  const std::size_t indexEnd = args.find(',');
  const auto index = ParseNumber(args.substr(0, indexEnd));
  if (!index || *index > 1000000) return std::nullopt;
  write.index = static_cast<int>(*index);
  if (indexEnd == std::string_view::npos) {
    write.erase = true;
    return write;
  }
  std::string_view rest = args.substr(indexEnd + 1);

  if (!rest.empty() && rest.front() == '"') {
    const std::size_t close = rest.find('"', 1);
    if (close == std::string_view::npos) return std::nullopt;
    write.number = std::string(rest.substr(1, close - 1));
    rest = rest.substr(close + 1);
    if (!rest.empty() && rest.front() != ',') return std::nullopt;
  } else {
    const std::size_t comma = rest.find(',');
    write.number = std::string(rest.substr(0, comma));
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma);
  }
  if (rest.empty()) return write;
  rest.remove_prefix(1);  // the ',' before the type

  const std::size_t typeEnd = rest.find(',');
  const std::string_view type = rest.substr(0, typeEnd);
  if (!type.empty()) {
    const auto typeValue = ParseNumber(type);
    if (!typeValue || *typeValue > 255) return std::nullopt;
    // International type: the stored number carries the '+'.
    if (*typeValue == 145 && !write.number.empty() && write.number.front() != '+') {
      write.number.insert(write.number.begin(), '+');
    }
  }
  if (typeEnd == std::string_view::npos) return write;
  write.name = Unquoted(rest.substr(typeEnd + 1));
  return write;
}

}  // namespace

DeviceModel::DeviceModel(DeviceConfig cfg, Scheduler schedule, Output out)
    : cfg_(std::move(cfg)),
      schedule_(std::move(schedule)),
      out_(std::move(out)),
      alive_(std::make_shared<int>(0)) {
  StartProgram();
}

DeviceModel::~DeviceModel() = default;

void DeviceModel::After(int delayMs, std::function<void()> fn) {
  std::weak_ptr<int> alive = alive_;
  schedule_(std::max(0, delayMs), [alive, fn = std::move(fn)] {
    if (!alive.expired()) fn();
  });
}

void DeviceModel::Send(std::string bytes) {
  After(cfg_.replyLatencyMs, [this, bytes = std::move(bytes)] { Emit(bytes); });
}

void DeviceModel::Emit(const std::string& bytes) {
  if (!silent_ && out_) out_(bytes);
}

void DeviceModel::Reply(const std::vector<std::string>& lines, const std::string& final) {
  std::string bytes;
  for (const auto& line : lines) bytes += Framed(line);
  bytes += Framed(final);
  Send(std::move(bytes));
}

void DeviceModel::Answer(const std::string& line) { Send(Framed(line) + Framed("OK")); }

void DeviceModel::Final(const std::string& result) { Send(Framed(result)); }

void DeviceModel::Receive(const std::string& bytes) {
  std::string echo;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (booting_) break;  // a rebooting module hears nothing
    if (uploading_) {
      TakeScriptByte(c);
      continue;
    }
    if (echo_) echo += c;
    if (c == '\n') continue;  // LF after CR (or a stray one) is never part of a command
    if (c == '\r') {
      // An LF arriving together with the CR belongs to the line and is echoed
      // with it.  The echo goes out before the reply; the command may switch
      // echo off or start a raw upload, so nothing after the line is consumed.
      if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
        if (echo_) echo += '\n';
        ++i;
      }
      if (!echo.empty()) Send(std::exchange(echo, {}));
      CompleteLine();
      continue;
    }
    if (c == '\b' || c == '\x7f') {
      if (!line_.empty()) line_.pop_back();
      continue;
    }
    if (line_.size() < kMaxLineLength) line_ += c;
  }
  if (!echo.empty()) Send(std::move(echo));
}

void DeviceModel::CompleteLine() {
  const std::string line = std::exchange(line_, {});
  if (line.empty()) return;  // an empty line is ignored, as on a real module
  log_.push_back(line);
  if (silent_) return;
  Execute(line);
}

void DeviceModel::Execute(const std::string& line) {
  if (line.size() < 2 || Upper(line.substr(0, 2)) != "AT") {
    Final("ERROR");
    return;
  }
  const std::string body = line.substr(2);
  const std::size_t argsStart = std::min(body.find_first_of("=?"), body.size());
  const std::string command = Upper(body.substr(0, argsStart));
  const std::string args = body.substr(argsStart);
  // The text after '=' (empty when the command has no '=').
  const std::string value = !args.empty() && args.front() == '=' ? args.substr(1) : std::string();
  const bool isSet = !args.empty() && args.front() == '=' && args != "=?";

  if (command.empty() && args.empty()) {
    Final("OK");
  } else if ((command == "E0" || command == "E" || command == "E1") && args.empty()) {
    echo_ = command == "E1";
    Final("OK");
  } else if (command == "+COPS" && args == "?") {
    Answer("+COPS: 0,0,\"" + cfg_.operatorName + "\"");
  } else if (command == "+CPBR" && args == "=?") {
    Answer("+CPBR: (1-" + std::to_string(cfg_.simCapacity) + ")," +
           std::to_string(kMaxNumberLength) + "," + std::to_string(kMaxNameLength));
  } else if (command == "+CPBR" && isSet) {
    ReadPhoneBook(value);
  } else if (command == "+CPBW" && isSet) {
    WritePhoneBook(value);
  } else if (command == "+CSQ" && args.empty()) {
    Answer("+CSQ: " + std::to_string(cfg_.signal) + ",0");
  } else if (command == "#CGSN" && args.empty()) {
    Answer("#CGSN: " + kImei);
  } else if (command == "+CGSN" && args.empty()) {
    Answer(kImei);
  } else if (command == "#SRS" && isSet) {
    const std::size_t comma = value.find(',');
    const auto type = ParseNumber(std::string_view(value).substr(0, comma));
    const auto volume = comma == std::string::npos
                            ? std::optional<long long>(ringVolume_)
                            : ParseNumber(std::string_view(value).substr(comma + 1));
    if (!type || !volume || *type > 255 || *volume > 255) {
      Final("ERROR");
      return;
    }
    ringType_ = static_cast<int>(*type);
    ringVolume_ = static_cast<int>(*volume);
    Final("OK");
  } else if (command == "#SRS" && args == "?") {
    Answer("#SRS: " + std::to_string(ringType_) + "," + std::to_string(ringVolume_));
  } else if (command == "#ESCRIPT" && isSet) {
    enabledScript_ = Unquoted(value);
    Final("OK");
  } else if (command == "#ESCRIPT" && args == "?") {
    Answer("#ESCRIPT: \"" + enabledScript_ + "\"");
  } else if (command == "#WSCRIPT" && isSet) {
    StartScriptUpload(value);
  } else if (command == "#REBOOT" && args.empty()) {
    Reboot();
  } else {
    Final("ERROR");
  }
}

void DeviceModel::ReadPhoneBook(const std::string& args) {
  const std::size_t comma = args.find(',');
  const auto first = ParseNumber(std::string_view(args).substr(0, comma));
  const auto last = comma == std::string::npos ? first
                                               : ParseNumber(std::string_view(args).substr(comma + 1));
  if (!first || !last) {
    Final("ERROR");
    return;
  }
  if (*first < 1 || *last > cfg_.simCapacity || *first > *last) {
    Final("+CME ERROR: " + std::to_string(kCmeInvalidIndex));
    return;
  }
  std::vector<std::string> lines;
  for (auto it = cfg_.sim.lower_bound(static_cast<int>(*first));
       it != cfg_.sim.end() && it->first <= *last; ++it) {
    const SimEntry& entry = it->second;
    const int type = !entry.number.empty() && entry.number.front() == '+' ? 145 : 129;
    lines.push_back("+CPBR: " + std::to_string(it->first) + ",\"" + entry.number + "\"," +
                    std::to_string(type) + ",\"" + entry.name + "\"");
  }
  Reply(lines);
}

void DeviceModel::WritePhoneBook(const std::string& args) {
  const auto write = ParsePhoneBookWrite(args);
  if (!write) {
    Final("ERROR");
    return;
  }
  if (write->index < 1 || write->index > cfg_.simCapacity) {
    Final("+CME ERROR: " + std::to_string(kCmeInvalidIndex));
    return;
  }
  if (auto fault = faults_.find(write->index); fault != faults_.end()) {
    const std::string reply = fault->second.reply;
    if (fault->second.remaining > 0 && --fault->second.remaining == 0) faults_.erase(fault);
    Final(reply);
    return;
  }
  if (write->name.size() > static_cast<std::size_t>(kMaxNameLength)) {
    Final("+CME ERROR: " + std::to_string(kCmeTextTooLong));
    return;
  }
  if (write->number.size() > static_cast<std::size_t>(kMaxNumberLength)) {
    Final("+CME ERROR: " + std::to_string(kCmeDialStringTooLong));
    return;
  }
  if (write->erase || (write->number.empty() && write->name.empty())) {
    cfg_.sim.erase(write->index);
  } else {
    cfg_.sim[write->index] = SimEntry{write->number, write->name};
  }
  Final("OK");
}

void DeviceModel::StartScriptUpload(const std::string& args) {
  // The size follows the last comma, so a quoted name may itself hold commas.
  const std::size_t comma = args.rfind(',');
  if (comma == std::string::npos) {
    Final("ERROR");
    return;
  }
  const std::string name = Unquoted(std::string_view(args).substr(0, comma));
  const auto size = ParseNumber(std::string_view(args).substr(comma + 1));
  if (name.empty() || !size || *size == 0 || static_cast<std::size_t>(*size) > kMaxScriptSize) {
    Final("ERROR");
    return;
  }
  uploading_ = true;
  uploadRemaining_ = static_cast<std::size_t>(*size);
  uploadName_ = name;
  uploadData_.clear();
  uploadData_.reserve(uploadRemaining_);
  Send("\r\n>>> ");
}

void DeviceModel::TakeScriptByte(char c) {
  uploadData_ += c;
  if (--uploadRemaining_ > 0) return;
  uploading_ = false;
  scripts_[uploadName_] = std::exchange(uploadData_, {});
  Final("OK");
}

void DeviceModel::Reboot() {
  Final("OK");
  booting_ = true;
  running_ = false;
  ++generation_;
  After(cfg_.bootDelayMs, [this] {
    booting_ = false;
    echo_ = true;
    line_.clear();
    StartProgram();
    Emit(Framed("+CREG: 0,1"));
    Emit(Framed("#CBC: 0," + std::to_string(cfg_.voltage)));
  });
}

void DeviceModel::StartProgram() {
  running_ = true;
  ++generation_;
  nextStatusIsSms_ = true;
  ScheduleStatus(generation_);
}

void DeviceModel::ScheduleStatus(unsigned generation) {
  if (cfg_.statusIntervalMs <= 0) return;
  After(cfg_.statusIntervalMs, [this, generation] {
    if (!running_ || generation != generation_) return;
    Emit(Framed(nextStatusIsSms_ ? "#SMSATWL: 0" : "+CREG: 0,1"));
    nextStatusIsSms_ = !nextStatusIsSms_;
    ScheduleStatus(generation);
  });
}

void DeviceModel::SetDTR(bool on) {
  // The program only looks at the level: DTR on stops it, off does nothing.
  if (on) StopProgram();
}

void DeviceModel::StopProgram() {
  if (!running_) return;
  running_ = false;
  ++generation_;
  After(cfg_.stopDelayMs, [this] { Emit(Framed("STOP")); });
}

const std::map<int, SimEntry>& DeviceModel::Sim() const { return cfg_.sim; }
const std::map<std::string, std::string>& DeviceModel::Scripts() const { return scripts_; }
bool DeviceModel::Echo() const { return echo_; }
bool DeviceModel::ProgramRunning() const { return running_; }
int DeviceModel::Capacity() const { return cfg_.simCapacity; }
std::vector<std::string> DeviceModel::CommandLog() const { return log_; }

void DeviceModel::FailNextWrites(int slot, std::string reply, int count) {
  if (reply.empty() || count == 0) {
    faults_.erase(slot);
    return;
  }
  faults_[slot] = Fault{std::move(reply), count};
}

void DeviceModel::SetSilent(bool silent) { silent_ = silent; }

}  // namespace kel
