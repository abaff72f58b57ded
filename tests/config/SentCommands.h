// The commands a test port recorded, without their CR LF.
#pragma once

#include <string>
#include <vector>

inline std::vector<std::string> SentFrom(const std::vector<std::string>& sends, std::size_t from) {
  std::vector<std::string> out;
  for (std::size_t i = from; i < sends.size(); ++i) {
    const std::string& s = sends[i];
    const bool crlf = s.size() >= 2 && s.compare(s.size() - 2, 2, "\r\n") == 0;
    out.push_back(crlf ? s.substr(0, s.size() - 2) : s);
  }
  return out;
}
