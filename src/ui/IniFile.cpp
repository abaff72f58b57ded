#include "ui/IniFile.h"

#include <QFile>
#include <optional>

#include "ui/FileIO.h"
#include "ui/Text.h"

namespace ui {

namespace {

// Longest value handed out by the readers.
constexpr std::size_t kMaxValueLength = 2047;

// Blanks and tabs around names and values are not part of them.
std::string TrimBlanks(const std::string& s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool IsComment(const std::string& trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

// The section name when the line is a section header.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = TrimBlanks(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return TrimBlanks(t.substr(1, close - 1));
}

// The key of an entry line ("key=value"), or nothing for other lines.
std::optional<std::string> KeyOf(const std::string& line) {
  const std::string t = TrimBlanks(line);
  if (t.empty() || IsComment(t) || t.front() == '[') return std::nullopt;
  const auto eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return TrimBlanks(t.substr(0, eq));
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Decimal with an optional sign, or "0x"/"0X" followed by hexadecimal digits; the whole value
// must be the number.
std::optional<int> ParseInteger(const std::string& text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    unsigned long long v = 0;
    for (std::size_t i = 2; i < text.size(); ++i) {
      if (!IsHexDigit(text[i])) return std::nullopt;
      const char c = text[i];
      v = v * 16 + static_cast<unsigned>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
      if (v > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<int>(static_cast<unsigned int>(v));
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    v = v * 10 + (text[i] - '0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
  // A file that is missing or cannot be read reads as empty: every key then gives its default.
  if (!QFile::exists(ToQString(path_))) return;
  try {
    lines_ = SplitLines(ReadFileBytes(path_));
  } catch (const Exception&) {
    lines_.clear();
  }
}

std::optional<std::pair<std::size_t, std::size_t>> TIniFile::SectionRange(const std::string& section) const {
  // [begin, end): the lines after the section's first header up to the next header.
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionOf(lines_[i]);
    if (!name || !SameText(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionOf(lines_[end])) ++end;
    return std::make_pair(i + 1, end);
  }
  return std::nullopt;
}

std::optional<std::size_t> TIniFile::FindKey(const std::string& section, const std::string& key) const {
  const auto range = SectionRange(section);
  if (!range) return std::nullopt;
  for (std::size_t i = range->first; i < range->second; ++i) {
    const auto k = KeyOf(lines_[i]);
    if (k && SameText(*k, key)) return i;
  }
  return std::nullopt;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  const auto line = FindKey(section, key);
  if (!line) return def;
  const std::string& text = lines_[*line];
  std::string value = TrimBlanks(text.substr(text.find('=') + 1));
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  if (!FindKey(section, key)) return def;
  return ParseInteger(ReadString(section, key, {})).value_or(def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (const auto line = FindKey(section, key)) {
    // The key keeps its spelling (and letter case) in the file; only the value changes.
    std::string& text = lines_[*line];
    text = text.substr(0, text.find('=') + 1) + value;
    return;
  }
  const std::string entry = key + "=" + value;
  const auto range = SectionRange(section);
  if (!range) {
    lines_.push_back("[" + section + "]");
    lines_.push_back(entry);
    return;
  }
  const auto [begin, end] = *range;
  // After the section's last non-blank line, so blank lines that separate it from the next
  // section stay where they are.
  std::size_t at = end;
  while (at > begin && TrimBlanks(lines_[at - 1]).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), entry);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, IntToStr(value));
}

void TIniFile::UpdateFile() const { WriteFileAtomic(path_, JoinLines(lines_)); }

}  // namespace ui
