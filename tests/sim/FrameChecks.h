#pragma once

// Independent checks of what a receiver makes of the simulator's bytes: the value-character
// check, the decimals from the point's position, and the over-range rule.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace volmograph::test {

inline std::string Text(const std::vector<std::uint8_t>& bytes, std::size_t offset, std::size_t n) {
  return std::string(bytes.begin() + offset, bytes.begin() + offset + n);
}

inline bool ValueCharactersValid(const std::string& text) {
  for (char c : text) {
    if (c != ' ' && c != '+' && c != '-' && c != '.' && (c < '0' || c > '9')) {
      return false;
    }
  }
  return text.size() == 6;
}

inline int Decimals(const std::string& t) {
  for (int i = 4; i >= 0; --i) {
    if (t[i] == '.') {
      return 5 - i;
    }
  }
  return 0;
}

inline double Number(const std::string& t) {
  return std::strtod(t.c_str(), nullptr);
}

inline bool OverByRule(char function, const std::string& t) {
  const double v = Number(t);
  if (function == 'M' || v < 0) {
    return false;
  }
  switch (Decimals(t)) {
    case 0:
      return v >= 3999;
    case 1:
      return v >= 399.9;
    case 2:
      return v >= 39.99;
    case 3:
      return v >= 3.999;
    default:
      return static_cast<signed char>(t[1]) >= '4';
  }
}

// Cuts a simulator stream that starts on a message boundary into frames and captures.
inline std::vector<std::vector<std::uint8_t>> SplitMessages(const std::vector<std::uint8_t>& s) {
  std::vector<std::vector<std::uint8_t>> messages;
  std::size_t pos = 0;
  while (pos + 2 <= s.size()) {
    const std::size_t length = s[pos + 1] == 'Z' ? 1024 : 26;
    const std::size_t end = std::min(s.size(), pos + length);
    messages.emplace_back(s.begin() + pos, s.begin() + end);
    pos = end;
  }
  return messages;
}

}  // namespace volmograph::test
