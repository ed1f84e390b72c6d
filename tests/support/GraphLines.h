#pragma once

#include <string>
#include <string_view>

namespace volmograph::test {

// A 67-character sample line with the fields the graphs read: unit (21), second value (30),
// function label (41) and raw value (61); every other column is blank.
inline std::string GraphLine(std::string_view label, std::string_view raw,
                             std::string_view unit = " Vdc", std::string_view value2 = "      ") {
  std::string line(67, ' ');
  line.replace(21, unit.size(), unit);
  line.replace(30, value2.size(), value2);
  line.replace(41, label.size(), label);
  line.replace(61, raw.size(), raw);
  return line;
}

}  // namespace volmograph::test
