#include "platform/IntegerText.h"

#include <limits>

namespace volmograph {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::optional<int> ParseInteger(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && IsBlank(text[end - 1])) {
    --end;
  }
  bool negative = false;
  if (begin < end && (text[begin] == '+' || text[begin] == '-')) {
    negative = text[begin] == '-';
    ++begin;
  }
  if (begin == end) {
    return std::nullopt;
  }
  // Accumulate as a negative number so that INT_MIN fits.
  constexpr long long kMin = std::numeric_limits<int>::min();
  long long value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 - (c - '0');
    if (value < kMin) {
      return std::nullopt;
    }
  }
  if (!negative) {
    value = -value;
    if (value > std::numeric_limits<int>::max()) {
      return std::nullopt;
    }
  }
  return static_cast<int>(value);
}

}  // namespace volmograph
