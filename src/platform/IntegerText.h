#pragma once

#include <optional>
#include <string_view>

namespace volmograph {

// Reads a whole text as a decimal int: optional blanks (space or tab) around it, an optional
// sign, then at least one digit and nothing else. Anything else, including a value beyond the
// range of int, is not an integer and gives nullopt.
std::optional<int> ParseInteger(std::string_view text);

}  // namespace volmograph
