#pragma once

// Reading a data file for Open, whole, before anything on screen is replaced: a file that
// cannot be read then costs nothing already loaded.
//
// Only a regular file of at most kDataFileSizeLimit bytes is read, so a directory, a FIFO,
// a device such as /dev/zero or a huge file gives a reason instead of a hang or exhausted
// memory. The file is opened once; its first three bytes tell the kind (DataFileKind.h). A
// graph file is read from its first kGraphFileSize bytes; a text data file is streamed up
// to the line cap, and the records beyond it are counted, and the damaged ones among those
// read noted, so that the user can be told.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/DataFileKind.h"
#include "files/GraphFile.h"
#include "files/TextDataFile.h"

namespace volmograph {

// 1 GiB: over fifteen times what the line cap loads, and far beyond any recording.
inline constexpr std::uint64_t kDataFileSizeLimit = std::uint64_t{1} << 30;

struct DataFileContents {
  DataFileKind kind = DataFileKind::Text;
  std::array<std::uint8_t, kGraphImageSize> image{};  // graph file: the picture
  GraphReadResult graph;                              // graph file: how much of it was there
  std::vector<std::string> lines;                     // text data file: the list
  std::size_t recordsLeftOut = 0;                     // text data file: beyond the line cap
  std::size_t fileRecords = 0;  // text data file: records in it, a partial one included
  TextDamage damage;            // text data file: records that cannot be lines as saved
  std::string error;  // why the file could not be read ("File too large", ...); empty if read
};

DataFileContents ReadDataFile(const std::string& path, std::size_t maxLines = kTextLineCap);

}  // namespace volmograph
