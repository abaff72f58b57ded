#include "config/SimEntries.h"

#include "app/TForm1.h"

namespace config {

std::vector<SimField> SimFields(TForm1& f) {
  std::vector<SimField> entries;
  const auto column = [&entries](const std::string& prefix, const std::array<ui::TEdit*, 7>& fields) {
    for (std::size_t i = 0; i < fields.size(); ++i)
      entries.push_back({prefix + std::to_string(i + 1), fields[i], nullptr});
  };
  column("ADMIN", f.ADMIN);
  column("ABUTTON", f.ABUTTON);
  column("BBUTTON", f.BBUTTON);
  entries.push_back({"ALARMON", &f.ALARMON, nullptr});
  entries.push_back({"ALARMOFF", &f.ALARMOFF, nullptr});
  entries.push_back({"PARKEL", nullptr, &f.V.deviceParameterString});
  entries.push_back({"PARRL1", nullptr, &f.V.relay1ParameterString});
  entries.push_back({"PARRL2", nullptr, &f.V.relay2ParameterString});
  return entries;
}

}  // namespace config
