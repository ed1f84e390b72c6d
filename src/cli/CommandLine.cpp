#include "cli/CommandLine.h"

#include <array>
#include <filesystem>
#include <utility>

#include "view/Ids.h"

namespace volmograph::cli {

int SamplingCommand(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, int>, 6> kIntervals{{
      {"250ms", cmd::kSampling250ms},
      {"500ms", cmd::kSampling500ms},
      {"1s", cmd::kSampling1s},
      {"2s", cmd::kSampling2s},
      {"5s", cmd::kSampling5s},
      {"10s", cmd::kSampling10s},
  }};
  for (const auto& [text, command] : kIntervals) {
    if (text == name) {
      return command;
    }
  }
  return 0;
}

bool IsHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

bool SameFile(const std::string& a, const std::string& b) {
  // Absolute first: a relative name that does not exist yet is otherwise left as it is.
  std::error_code error;
  const auto canonicalA = std::filesystem::weakly_canonical(std::filesystem::absolute(a), error);
  const auto canonicalB = std::filesystem::weakly_canonical(std::filesystem::absolute(b), error);
  return error ? a == b : canonicalA == canonicalB;
}

}  // namespace volmograph::cli
