// Arbitrary bytes through both data-file readers: no crash, every image byte defined, and
// every line read back within the record's bounds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/DataFileKind.h"
#include "files/GraphFile.h"
#include "files/TextDataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  (void)volmograph::DetectDataFileKind(bytes);

  std::uint8_t image[volmograph::kGraphImageSize];
  const volmograph::GraphReadResult graph = volmograph::ReadGraphFile(bytes, image);
  if (graph.validFields > graph.fieldsPresent ||
      graph.fieldsPresent > static_cast<int>(volmograph::kGraphImageSize)) {
    std::abort();
  }
  // A written image must read back the same.
  const std::string written = volmograph::WriteGraphFile(image);
  std::uint8_t again[volmograph::kGraphImageSize];
  if (!volmograph::ReadGraphFile(written, again).IsComplete()) {
    std::abort();
  }
  for (std::size_t i = 0; i < volmograph::kGraphImageSize; ++i) {
    if (image[i] != again[i]) {
      std::abort();
    }
  }

  for (const std::string& line : volmograph::ReadTextDataFile(bytes)) {
    if (line.size() > volmograph::kTextLineMax) {
      std::abort();
    }
  }
  return 0;
}
