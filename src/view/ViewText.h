#pragma once

// Small text helpers of the view: printf-style formatting into std::string and copies into
// fixed-size character fields.

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace volmograph {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[128];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// Copies text into a fixed field of N bytes, always terminated.
template <std::size_t N>
void CopyField(char (&field)[N], std::string_view text) {
  const std::size_t count = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(field, text.data(), count);
  field[count] = '\0';
}

// Fills a fixed field with `width` blanks (at most N - 1) and a terminator.
template <std::size_t N>
void FillBlanks(char (&field)[N], std::size_t width = N - 1) {
  const std::size_t count = width < N - 1 ? width : N - 1;
  std::memset(field, ' ', count);
  field[count] = '\0';
}

}  // namespace volmograph
