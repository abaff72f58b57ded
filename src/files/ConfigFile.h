// The fixed lines of the configuration file, in file order: each key names an entry field or
// one of the parameter strings.
#pragma once

#include <string>
#include <vector>

class TForm1;

namespace ui {
class TEdit;
}

namespace files {

inline constexpr const char* kKelFilter = "KEL files (*.kel)|*.kel";

struct FixedLine {
  std::string key;                   // without "="
  ui::TEdit* field;                  // the entry field, or
  std::string* parameter;            // the parameter string
};

std::vector<FixedLine> FixedLines(TForm1& f);

}  // namespace files
