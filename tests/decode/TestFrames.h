#pragma once

// Builds 26-byte meter frames for the decoder tests.

#include <string>
#include <string_view>

namespace volmograph::test {

struct FrameFields {
  char code = 'B';
  char ac = ' ';
  std::string_view value = " 1.234";  // 6 characters
  std::string_view unit = " V  ";     // prefix, unit, coupling: 4 characters
  char ac2 = ' ';
  std::string_view value2 = "      ";  // 6 characters
  std::string_view unit2 = "    ";     // 4 characters
};

inline std::string MakeFrame(const FrameFields& f) {
  std::string frame;
  frame += '\x02';
  frame += f.code;
  frame += f.ac;
  frame += f.value;
  frame += f.unit;
  frame += ' ';
  frame += f.ac2;
  frame += f.value2;
  frame += f.unit2;
  frame += '\r';
  return frame;
}

}  // namespace volmograph::test
