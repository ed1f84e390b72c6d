#pragma once

// The text data file: the sample list as fixed 68-byte records, one per line, in list
// order; no header, count or trailer (an empty list is an empty file). Bytes are stored
// as the list holds them (code page 1252, 0xB5 micro sign), without conversion.
//
// A record is the line's bytes, LF (0x0A) and NUL (0x00), cut to 68 bytes; n = line length:
//   n == 67   the 67 bytes and LF, no NUL (every sample line is 67 characters)
//   n <= 66   the n bytes, LF, NUL, then 66 - n filler bytes; we write zeros
//   n >= 68   the first 68 bytes, no LF, no NUL
//
// A record reads back as its bytes up to the first NUL, at most 67. So a 67-character line
// comes back unchanged, a shorter one with a trailing LF, a longer one cut to 67.
//
// A file whose length is not a multiple of 68 ends in a partial record; it is read by the
// same rule and gives a last line rather than being dropped, so no byte read goes unseen.
// Only a partial record that is empty up to its first NUL gives no line: it holds nothing.
// The streaming reader counts such a record, and any other the writer cannot have made, as
// damage (TextDamage.h), so that the user can be told what the lines are worth.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/TextDamage.h"

namespace volmograph {

inline constexpr std::size_t kTextRecordSize = 68;
inline constexpr std::size_t kTextLineMax = 67;  // bytes a record can give back
// The streaming reader stops after this many lines rather than exhaust memory on a huge
// file; a live run never lists more than 499.
inline constexpr std::size_t kTextLineCap = 1000000;

// Appends the 68-byte record of `line` to `file`.
void AppendTextDataRecord(std::string& file, std::string_view line);

// The whole file for `lines`: 68 bytes per line.
std::string WriteTextDataFile(const std::vector<std::string>& lines);

// The lines of a file held in memory, a partial final record included.
std::vector<std::string> ReadTextDataFile(std::string_view bytes);

struct TextReadResult {
  std::size_t lines = 0;       // lines handed to the sink
  bool partialRecord = false;  // the file ended inside a record
  bool capped = false;         // the line cap was reached with records left unread
  // Records beyond the cap: counted from the size of a regular file read from its start,
  // else those already in hand.
  std::size_t recordsLeftOut = 0;
  TextDamage damage;  // among the records read
  std::string error;  // why opening or reading failed; empty when it did not
  bool Ok() const { return error.empty() && !capped; }
};

using TextLineSink = std::function<void(const std::string& line)>;

// Streams the records of an open file, in reads of many whole records, to `addLine`,
// stopping after `maxLines` lines. The lines delivered before a read error or the cap are kept by
// the sink; the result says what stopped the reading. `fd` stays open.
TextReadResult ReadTextDataFile(int fd, const TextLineSink& addLine,
                                std::size_t maxLines = kTextLineCap);

// The same for a file named by `path`.
TextReadResult ReadTextDataFile(const std::string& path, const TextLineSink& addLine,
                                std::size_t maxLines = kTextLineCap);

}  // namespace volmograph
