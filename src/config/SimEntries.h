// The fixed SIM entries of the configuration, in write order: the name each one has in the
// SIM phone book and where the window keeps its value (an entry field or a parameter
// string). Reading routes entries by these names; writing takes slots in this order.
#pragma once

#include <string>
#include <vector>

class TForm1;

namespace ui {
class TEdit;
}

namespace config {

struct SimField {
  std::string name;          // SIM entry name, compared exactly
  ui::TEdit* field;          // the entry field, or
  std::string* parameter;    // the parameter string
};

// ADMIN1-7, ABUTTON1-7, BBUTTON1-7, ALARMON, ALARMOFF, PARKEL, PARRL1, PARRL2.
std::vector<SimField> SimFields(TForm1& f);

// The entry the device keeps for itself: read, never written.
inline constexpr const char* kVersionEntry = "VER";

}  // namespace config
