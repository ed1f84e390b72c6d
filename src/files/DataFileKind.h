#pragma once

// Which of the two .mtr kinds a file holds, told by its first three bytes: "GRA" marks a
// graph file (nothing else of the header is examined); anything else, including a file of
// fewer than three bytes, is a text data file. Sample lines begin with a blank, so a text
// data file is never taken for a graph file.

#include <cstddef>
#include <string_view>

namespace volmograph {

enum class DataFileKind { Graph, Text };

// The number of leading bytes DetectDataFileKind looks at.
inline constexpr std::size_t kDataFileKindBytes = 3;

DataFileKind DetectDataFileKind(std::string_view leadingBytes);

}  // namespace volmograph
