#pragma once

// Damage in a text data file: records that its writer cannot have made. A record is a
// line's bytes, LF and NUL cut to 68 bytes, and a line never holds a NUL, so a sound record
//   - is 68 bytes long (the file is whole records), and
//   - holds no NUL (a line of 67 bytes or more), or has an LF right before its first NUL;
//   - without a NUL, holds LFs only at its end: list lines never exceed 67 bytes, so a line
//     end followed by more of a line is a record boundary out of step, after bytes lost or
//     added.
// The filler after that NUL carries no meaning and is not looked at. The test is loose on
// purpose: it never flags a record the format allows, so an intact file from elsewhere
// still reads cleanly; what it flags (a record cut short at the end of the file, a block of
// zeros, a NUL inside a line, records out of step) cannot be a line as it was saved.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace volmograph {

enum class TextRecordFault { None, CutShort, Garbled, OutOfStep };

TextRecordFault CheckTextRecord(std::string_view record);

// The damaged records met while reading a file, in file order.
struct TextDamage {
  std::size_t records = 0;      // how many
  std::size_t firstRecord = 0;  // the first of them, counted from 1
  TextRecordFault firstFault = TextRecordFault::None;
  std::size_t firstSize = 0;       // its length in bytes
  std::vector<std::size_t> lines;  // indices of the lines they gave (a record may give none)

  bool Any() const { return records > 0; }
  void Note(std::size_t recordNumber, TextRecordFault fault, std::size_t size);
};

// "record 13 of 13 is cut short (30 of 68 bytes)", "record 5 of 13 is garbled (a NUL not
// right after an LF), and 2 more are damaged", "record 2 of 13 is out of step (a line end
// inside it: bytes lost or added before it)"; `fileRecords` counts a partial record too.
std::string DescribeTextDamage(const TextDamage& damage, std::size_t fileRecords);

}  // namespace volmograph
