#pragma once

// Single-byte texts of the core to UTF-8 for the terminal and the window edges.
//
// Bytes 0x80..0xFF follow the code page's table; the code points a page leaves undefined
// become U+FFFD. Control bytes would let raw line noise move the cursor or change the
// terminal's state, so every byte below 0x20 except the tab, and DEL (0x7F), is shown as its
// Unicode control picture (0x00 as U+2400 "NUL", 0x1B as U+241B "ESC", 0x7F as U+2421): one
// visible column per byte, so fixed-width fields keep their width.

#include <cstddef>
#include <string>
#include <string_view>

namespace volmograph {

// Code page 1253 (Greek), as the display's Greek-character-set fonts show the meter's bytes:
// 0xB5 micro sign, 0xB0 degree sign, 0xD9 capital omega.
std::string Cp1253ToUtf8(std::string_view text);

// Code page 1252 (Western European).
std::string Cp1252ToUtf8(std::string_view text);

// Text from the system (file and device paths, error reasons), which is UTF-8 here. Control
// characters are made visible as above; text that is not well-formed UTF-8 (a name made
// under another locale) is shown as code page 1252 rather than dropped.
std::string SystemTextToUtf8(std::string_view text);

// A name from the system (UTF-8) as the code page 1252 bytes that the core prints: a
// character the page lacks becomes '?'. Text that is not well-formed UTF-8 is taken to be in
// the code page already and kept as it is.
std::string Utf8ToCp1252(std::string_view text);

// The longest prefix of the UTF-8 text `text` of at most `maxBytes` bytes that does not
// split a character: a cut inside a multi-byte sequence moves back to its lead byte. Bytes
// that are not UTF-8 are cut where they stand.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace volmograph
