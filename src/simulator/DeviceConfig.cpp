#include "DeviceModel.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

namespace kel {

namespace {

// Configuration file keys that name SIM entries differently on the device.
constexpr std::pair<std::string_view, std::string_view> kRenamedKeys[] = {
    {"PARAMKEL", "PARKEL"},
    {"PARAMRL1", "PARRL1"},
    {"PARAMRL2", "PARRL2"},
};

std::string SimNameForKey(const std::string& key) {
  for (const auto& [fileKey, simName] : kRenamedKeys) {
    if (key == fileKey) return std::string(simName);
  }
  // ADMINn, ABUTTONn, BBUTTONn, ALARMON, ALARMOFF and user names are stored as written.
  return key;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(current));
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

}  // namespace

DeviceConfig DefaultConfiguration() {
  DeviceConfig cfg;
  const std::vector<SimEntry> entries = {
      {"+420603111222", "ADMIN1"},
      {"+420603333444", "ADMIN2"},
      {"+420731555666", "ABUTTON1"},
      {"+420731777888", "ABUTTON2"},
      {"+420605123987", "BBUTTON1"},
      {"1234", "ALARMON"},
      {"4321", "ALARMOFF"},
      {"4#4#0#0#1#7#2#0", "PARKEL"},
      {"5#1#03#1", "PARRL1"},
      {"6#1#03#1", "PARRL2"},
      {cfg.version, "VER"},
      {"+420602100200", "Novak Jan"},
      {"+420777300400", "Dvorakova Eva"},
      {"602500600", "Svoboda Petr"},
      {"+420736700800", "Vratnice"},
  };
  int slot = 1;
  for (const auto& entry : entries) cfg.sim[slot++] = entry;
  return cfg;
}

DeviceConfig LoadConfigurationFile(const std::string& path, DeviceConfig base) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw std::runtime_error("cannot read configuration file '" + path + "': " +
                             std::strerror(errno));
  }
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) {
    throw std::runtime_error("cannot read configuration file '" + path + "': read error");
  }
  std::string text = content.str();
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);  // UTF-8 byte order mark

  base.sim.clear();
  int slot = 1;
  for (const std::string& line : SplitLines(text)) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    std::string value = line.substr(eq + 1);
    if (key.empty() || value.empty()) continue;
    if (slot > base.simCapacity) {
      throw std::runtime_error("configuration file '" + path + "' holds more than " +
                               std::to_string(base.simCapacity) + " entries");
    }
    base.sim[slot++] = SimEntry{std::move(value), SimNameForKey(key)};
  }
  return base;
}

}  // namespace kel
