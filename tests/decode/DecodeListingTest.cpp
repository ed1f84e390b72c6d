#include "decode/DecodeListing.h"

#include <gtest/gtest.h>

#include <string>

#include "decode/FrameSplitter.h"
#include "support/TestFiles.h"

namespace volmograph {
namespace {

using volmograph::test::ReadFile;

std::string Listing(std::string_view stream, std::size_t chunk) {
  std::string out = DecodeListingHeader() + "\n";
  FrameSplitter splitter;
  SplitEvent event;
  for (std::size_t pos = 0; pos < stream.size(); pos += chunk) {
    splitter.Feed(stream.substr(pos, chunk));
    while (splitter.Next(event)) {
      out += DescribeSplitEvent(event) + "\n";
    }
  }
  splitter.Finish();
  while (splitter.Next(event)) {
    out += DescribeSplitEvent(event) + "\n";
  }
  return out;
}

class DecodeVector : public testing::TestWithParam<const char*> {};

TEST_P(DecodeVector, ListingMatchesTheReviewedOutput) {
  const std::string base = std::string(VOLMOGRAPH_VECTORS_DIR) + "/decode/" + GetParam();
  const std::string stream = ReadFile(base + ".bin");
  const std::string expected = ReadFile(base + ".expected");
  ASSERT_FALSE(stream.empty());
  for (std::size_t chunk : {stream.size(), std::size_t{1}, std::size_t{7}, std::size_t{48}}) {
    EXPECT_EQ(Listing(stream, chunk), expected) << "chunk " << chunk;
  }
}

INSTANTIATE_TEST_SUITE_P(Vectors, DecodeVector,
                         testing::Values("all_functions", "edge_values", "line_noise"));

}  // namespace
}  // namespace volmograph
