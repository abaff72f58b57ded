#include "config/FieldRules.h"

#include "ui/Text.h"

namespace config {

namespace {
constexpr std::size_t kMaxPhoneLength = 20;
}  // namespace

std::string LongestValidPrefix(const std::string& text, const std::string& allowed) {
  const auto bad = text.find_first_not_of(allowed);
  return bad == std::string::npos ? text : text.substr(0, bad);
}

std::string NormalisePhoneNumber(const std::string& text) {
  const std::string trimmed = ui::Trim(text);
  if (trimmed.size() < 2) return trimmed;
  std::string number = LongestValidPrefix(trimmed, kPhoneCharacters);
  if (number.size() > kMaxPhoneLength) number.resize(kMaxPhoneLength);
  return number;
}

std::string NormaliseRelayCode(const std::string& text) {
  const std::string digits = "0" + LongestValidPrefix(ui::Trim(text), kDigitCharacters);
  return digits.substr(digits.size() - 1);
}

std::string NormaliseRelayTime(const std::string& text) {
  const std::string digits = "00" + LongestValidPrefix(ui::Trim(text), kDigitCharacters);
  const std::string time = digits.substr(digits.size() - 2);
  return time == "00" ? "01" : time;
}

}  // namespace config
