// Byte-string text helpers shared by the whole program.
//
// Texts are byte strings (std::string): every received byte, file byte and field character
// is kept as it is. They cross to Qt only inside src/ui (ToQString / FromQString).
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class QString;

namespace ui {

// Base of every error the program reports to the user. The message is shown as it is
// (the error box adds the closing full stop where needed).
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text that is not an integer: "'%s' is not a valid integer value".
class EConvertError : public Exception {
 public:
  explicit EConvertError(const std::string& text);
};

// An index outside a list: "List index out of bounds (%d)".
class EListError : public Exception {
 public:
  explicit EListError(long index);
};

// True when x occurs anywhere in s (case-sensitive). An empty x is contained in nothing,
// so tests on received lines never match by accident.
bool Contains(const std::string& s, const std::string& x);

// Deletes from the start of s up to and including the first x; does nothing when x is absent.
void CutThrough(std::string& s, const std::string& x);

// The text from the start up to the first x; empty when x is absent.
std::string TextBefore(const std::string& s, const std::string& x);

// Removes characters with codes 0 to 32 at both ends.
std::string Trim(const std::string& s);

// Integer conversion of received values and entry fields: leading blanks skipped, one "+" or
// "-", then decimal digits, or hexadecimal digits after a "$", "x", "X", "0x" or "0X" prefix.
// Anything else (an empty text, a trailing blank, an overflow) throws EConvertError.
int StrToInt(const std::string& s);

// Like StrToInt, but gives `fallback` instead of throwing.
int StrToIntDef(const std::string& s, int fallback);

// The lines of a text file: a line ends at CR LF, a lone CR or a lone LF; the last line needs
// no line end; an empty line is an empty text.
std::vector<std::string> SplitLines(const std::string& text);

// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// Decimal, no leading zeros.
std::string IntToStr(long long value);

// Case-insensitive comparison of ASCII letters; other bytes compare as they are.
bool SameText(const std::string& a, const std::string& b);

// Display form of a byte string: UTF-8 where the bytes are valid UTF-8, otherwise one byte per
// character (Latin-1), so that no byte is lost on the way to the screen.
QString ToQString(const std::string& bytes);

// Bytes of a text that a user typed or Qt produced: UTF-8.
std::string FromQString(const QString& text);

}  // namespace ui
