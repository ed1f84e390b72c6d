#pragma once

#include <string>

namespace volmograph::test {

// A 67-byte sample line (code page 1252 bytes) from its fields, each padded to its width.
inline std::string SampleLineOf(std::string time, std::string rms, std::string value,
                                std::string unit, std::string rms2, std::string value2,
                                std::string unit2, std::string label, std::string raw) {
  auto pad = [](std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
  };
  return " " + pad(time, 8) + "  " + pad(rms, 3) + " " + pad(value, 6) + pad(unit, 4) + " " +
         pad(rms2, 3) + " " + pad(value2, 6) + pad(unit2, 4) + " " + pad(label, 20) + pad(raw, 6);
}

}  // namespace volmograph::test
