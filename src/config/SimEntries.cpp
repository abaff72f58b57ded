#include "config/SimEntries.h"

#include "app/TForm1.h"

namespace config {

namespace {
// The names in write order; the entry fields follow the same order.
constexpr const char* kFieldNames[] = {
    "ADMIN1",   "ADMIN2",   "ADMIN3",   "ADMIN4",   "ADMIN5",   "ADMIN6",   "ADMIN7",
    "ABUTTON1", "ABUTTON2", "ABUTTON3", "ABUTTON4", "ABUTTON5", "ABUTTON6", "ABUTTON7",
    "BBUTTON1", "BBUTTON2", "BBUTTON3", "BBUTTON4", "BBUTTON5", "BBUTTON6", "BBUTTON7",
    "ALARMON",  "ALARMOFF"};
}  // namespace

std::vector<SimField> SimFields(TForm1& f) {
  // Built for every received entry line, so kept free of heap work beyond the vector.
  ui::TEdit* const fields[] = {&f.ADMIN1,   &f.ADMIN2,   &f.ADMIN3,   &f.ADMIN4,   &f.ADMIN5,   &f.ADMIN6,
                               &f.ADMIN7,   &f.ABUTTON1, &f.ABUTTON2, &f.ABUTTON3, &f.ABUTTON4, &f.ABUTTON5,
                               &f.ABUTTON6, &f.ABUTTON7, &f.BBUTTON1, &f.BBUTTON2, &f.BBUTTON3, &f.BBUTTON4,
                               &f.BBUTTON5, &f.BBUTTON6, &f.BBUTTON7, &f.ALARMON, &f.ALARMOFF};
  static_assert(std::size(kFieldNames) == std::size(fields));
  std::vector<SimField> entries;
  entries.reserve(std::size(kFieldNames) + 3);
  for (std::size_t i = 0; i < std::size(kFieldNames); ++i) entries.push_back({kFieldNames[i], fields[i], nullptr});
  entries.push_back({"PARKEL", nullptr, &f.V.deviceParameterString});
  entries.push_back({"PARRL1", nullptr, &f.V.relay1ParameterString});
  entries.push_back({"PARRL2", nullptr, &f.V.relay2ParameterString});
  return entries;
}

}  // namespace config
