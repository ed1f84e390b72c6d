#include "platform/IntegerText.h"

#include <limits>

namespace volmograph {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

IntegerTextReading ReadIntegerText(std::string_view text) {
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
    return {};
  }
  // Accumulate as a negative number so that INT_MIN fits; past the range of int only the
  // form is checked, so a long run of digits cannot overflow.
  constexpr long long kMin = std::numeric_limits<int>::min();
  long long value = 0;
  bool beyond = false;
  for (std::size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') {
      return {};
    }
    if (!beyond) {
      value = value * 10 - (c - '0');
      beyond = value < kMin;
    }
  }
  if (!negative) {
    value = -value;
    beyond = beyond || value > std::numeric_limits<int>::max();
  }
  if (beyond) {
    return {IntegerTextKind::BeyondInt, 0};
  }
  return {IntegerTextKind::Integer, static_cast<int>(value)};
}

std::optional<int> ParseInteger(std::string_view text) {
  const IntegerTextReading reading = ReadIntegerText(text);
  if (reading.kind != IntegerTextKind::Integer) {
    return std::nullopt;
  }
  return reading.value;
}

}  // namespace volmograph
