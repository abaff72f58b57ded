#include "ui/Text.h"

#include <QString>
#include <climits>

namespace ui {

EConvertError::EConvertError(const std::string& text)
    : Exception("'" + text + "' is not a valid integer value") {}

EListError::EListError(long index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

bool Contains(const std::string& s, const std::string& x) {
  return !x.empty() && s.find(x) != std::string::npos;
}

void CutThrough(std::string& s, const std::string& x) {
  if (x.empty()) return;
  const auto pos = s.find(x);
  if (pos != std::string::npos) s.erase(0, pos + x.size());
}

std::string TextBefore(const std::string& s, const std::string& x) {
  if (x.empty()) return {};
  const auto pos = s.find(x);
  return pos == std::string::npos ? std::string() : s.substr(0, pos);
}

std::string Trim(const std::string& s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

bool TryStrToInt(const std::string& s, int& out) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return false;
  long long value = 0;
  for (; i < s.size(); ++i) {
    const int d = DigitValue(s[i], base);
    if (d < 0) return false;
    value = value * base + d;
    if (value > static_cast<long long>(UINT_MAX)) return false;
  }
  if (base == 10) {
    if (negative ? value > -static_cast<long long>(INT_MIN) : value > INT_MAX) return false;
    out = static_cast<int>(negative ? -value : value);
  } else {
    // Hexadecimal texts cover the full 32-bit pattern, as "$FFFFFFFF" meaning -1.
    const auto bits = static_cast<unsigned int>(value);
    const int v = static_cast<int>(bits);
    out = negative ? -v : v;
  }
  return true;
}

}  // namespace

int StrToInt(const std::string& s) {
  int v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError(s);
  return v;
}

int StrToIntDef(const std::string& s, int fallback) {
  int v = 0;
  return TryStrToInt(s, v) ? v : fallback;
}

std::string IntToStr(long long value) { return std::to_string(value); }

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

namespace {
bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra;
    unsigned int cp;
    if (c < 0x80) { ++i; continue; }
    if ((c & 0xE0) == 0xC0) { extra = 1; cp = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; cp = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; cp = c & 0x07; }
    else return false;
    if (i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
    if ((extra == 1 && cp < 0x80) || (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) ||
        (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
      return false;
    i += extra + 1;
  }
  return true;
}
}  // namespace

QString ToQString(const std::string& bytes) {
  if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string FromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) lines.push_back(cur);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace ui
