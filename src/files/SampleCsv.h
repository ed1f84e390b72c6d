#pragma once

// The data as CSV (RFC 4180) for spreadsheets and scripts: one row a sample line, or one row
// a byte of a waveform picture, each row ended by CRLF.
//
// A sample line's row, from its fixed columns (decode/SampleLine.h):
//   time, value, unit, rms, second value, second unit, second rms, function, raw value
// Texts are trimmed of their padding blanks and turned into UTF-8 reading the bytes as code
// page 1253, as the list's Greek-character-set font shows them (0xB5 micro sign, 0xB0
// degree sign, 0xD9 capital omega). Numbers are written as numbers: sign only when
// negative, a decimal point (never a locale's comma), no padding, the digits kept as the
// meter sent them (" -.50" gives "-0.50"). An over-range reading has an empty value; its raw
// value keeps what the meter sent. A field is quoted only when it holds a comma, a double
// quote or a line break.

#include <optional>
#include <string>
#include <string_view>

#include "files/DataFileReader.h"

namespace volmograph {

inline constexpr std::string_view kCsvLineEnd = "\r\n";

// One field, quoted when it needs it ("a,b" -> "\"a,b\"", "say \"x\"" -> "\"say \"\"x\"\"\"").
std::string CsvField(std::string_view utf8);

// The decimal number in `text` (padding blanks allowed) in plain form, or none when the text
// is not a number as a whole.
std::optional<std::string> CsvNumber(std::string_view text);

// The header row of sample rows, without the line end.
std::string SampleCsvHeader();

// The row of one sample line, without the line end. Columns the line does not reach are
// empty; a trailing LF (a short line read back from a data file) is not part of any field.
std::string SampleCsvRow(std::string_view line);

// The whole CSV of a data file's contents: the sample rows under their header, or for a
// graph file its 1024 picture bytes under "index,byte", one a row.
std::string DataFileCsv(const DataFileContents& contents);

}  // namespace volmograph
