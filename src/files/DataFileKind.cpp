#include "files/DataFileKind.h"

namespace volmograph {

DataFileKind DetectDataFileKind(std::string_view leadingBytes) {
  // Case matters: "gra" or "Graph" is a text data file.
  return leadingBytes.substr(0, kDataFileKindBytes) == "GRA" ? DataFileKind::Graph
                                                             : DataFileKind::Text;
}

}  // namespace volmograph
