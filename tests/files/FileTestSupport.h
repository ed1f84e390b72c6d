#pragma once

// Helpers shared by the data-file tests: the checked-in vector files.

#include <string>

#include "support/TestFiles.h"

namespace volmograph::test {

inline std::string VectorFile(const std::string& name) {
  return ReadFile(std::string(VOLMOGRAPH_VECTORS_DIR) + "/files/" + name);
}

}  // namespace volmograph::test
