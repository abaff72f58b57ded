// The rules that keep the entry fields clean: telephone numbers, relay switching codes and
// relay switching times. Pure functions; each gives its own result back unchanged, which is
// what ends the exchange between a field and its twin.
#pragma once

#include <string>

namespace config {

// Characters a telephone number may hold.
inline constexpr const char* kPhoneCharacters = "0123456789+*#";
// Characters of a relay code or a relay time.
inline constexpr const char* kDigitCharacters = "0123456789";

// Everything before the first character of text that is not in allowed.
std::string LongestValidPrefix(const std::string& text, const std::string& allowed);

// Trimmed; a text of 2 or more characters is cut before its first character outside
// "0123456789+*#" and then to at most 20 characters; 0 or 1 characters stay as they are.
std::string NormalisePhoneNumber(const std::string& text);

// Exactly one digit: the last digit of the trimmed text's leading digits, "0" when there
// are none.
std::string NormaliseRelayCode(const std::string& text);

// Exactly two digits "01" to "99": the last two of the trimmed text's leading digits, padded
// with "0" on the left; "00" becomes "01".
std::string NormaliseRelayTime(const std::string& text);

}  // namespace config
