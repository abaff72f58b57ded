// INI file access for the settings and UI-text file. Sections and keys are compared without
// regard to letter case; a missing file, section or key gives the default. Conventions: blanks
// and tabs around names and values are dropped, lines starting with ";" or "#" are comments,
// quotes are part of the value, the first of several equal sections or keys counts. Values
// are read up to 2047 bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class TIniFile {
 public:
  // Reads the file when it exists; a missing file reads as empty.
  explicit TIniFile(std::string path);

  const std::string& FileName() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // Decimal, or hexadecimal after "0x"/"0X"; anything else gives def.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // An integer; any value other than 0 is on.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;

  // Replaces the key in place, or adds it at the end of its section (a missing section at the
  // end of the file). Other lines stay as they were.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);

  // Writes the whole file (CR LF line ends) to a temporary file and renames it over the old
  // one. Throws ui::Exception on failure; the old file is then intact.
  void UpdateFile() const;

 private:
  // Lines after the section's header, [first, second); nothing when the section is missing.
  std::optional<std::pair<std::size_t, std::size_t>> SectionRange(const std::string& section) const;
  std::optional<std::size_t> FindKey(const std::string& section, const std::string& key) const;

  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace ui
