#pragma once

#include <optional>
#include <string_view>

namespace volmograph {

// What a text says as a decimal integer.
enum class IntegerTextKind {
  Integer,     // an int, in `value`
  BeyondInt,   // a well-formed integer too large in magnitude for an int
  NotInteger,  // anything else
};

struct IntegerTextReading {
  IntegerTextKind kind = IntegerTextKind::NotInteger;
  int value = 0;  // meaningful only for Integer
};

// Reads a whole text as a decimal integer: optional blanks (space or tab) around it, an
// optional sign, then at least one digit and nothing else. Any number of digits is read.
IntegerTextReading ReadIntegerText(std::string_view text);

// The value of ReadIntegerText when it is an int; nullopt for anything else, including a
// value beyond the range of int.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace volmograph
