#pragma once

// The graph file: the meter's 1024-byte waveform picture as text.
//
//   offset 0, 16 bytes          "GRAPH*1VTRX521.0" (no terminator)
//   offset 16 + 4*i, 4 bytes    image byte i, i = 0..1023, unsigned, as "%4d": "   0", "  17", "
//   255"
//
// No separators, line ends or trailer: a written file is exactly 4112 bytes.
//
// Reading is lenient, for files from elsewhere, and never leaves a byte undefined:
// - the 16 header bytes are skipped unread (the kind was already told by "GRA");
// - a field is parsed like "%d" over its own 4 bytes: leading white space, an optional sign,
//   digits, stopping at the first other byte; its low 8 bits are stored (256 -> 0, -1 -> 255);
// - a field with no digit, or cut short by the end of the file, stores 0 and is not counted
//   as valid, so the caller can tell the user that the file is damaged;
// - bytes after offset 4112 are ignored.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace volmograph {

inline constexpr std::string_view kGraphFileHeader = "GRAPH*1VTRX521.0";
inline constexpr std::size_t kGraphImageSize = 1024;
inline constexpr std::size_t kGraphFieldWidth = 4;
inline constexpr std::size_t kGraphFileSize =
    kGraphFileHeader.size() + kGraphImageSize * kGraphFieldWidth;  // 4112

struct GraphReadResult {
  int fieldsPresent = 0;  // fields found in full (4 bytes each) within the file
  int validFields = 0;    // of those, the fields that held a number
  // False when any picture byte was made up (a missing or unparsable field).
  bool IsComplete() const { return validFields == static_cast<int>(kGraphImageSize); }
};

// The whole file for `image`: header and 1024 fields, kGraphFileSize bytes.
std::string WriteGraphFile(std::span<const std::uint8_t, kGraphImageSize> image);

// Fills all of `image` from the file's bytes; missing and unparsable fields give 0.
GraphReadResult ReadGraphFile(std::string_view bytes,
                              std::span<std::uint8_t, kGraphImageSize> image);

}  // namespace volmograph
