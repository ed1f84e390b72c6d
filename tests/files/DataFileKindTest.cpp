#include "files/DataFileKind.h"

#include <gtest/gtest.h>

#include <string>

namespace volmograph {
namespace {

TEST(DataFileKind, OnlyUpperCaseGraInTheFirstThreeBytesMarksAGraphFile) {
  for (std::string graph : {"GRA", "GRAPH*1VTRX521.0", "GRAB some other header"}) {
    EXPECT_EQ(DetectDataFileKind(graph), DataFileKind::Graph) << graph;
  }
  for (std::string text :
       {"", "G", "GR", "gra", "graph*1VTRX521.0", "Graph", " GRA", " 14:03:27  rms  1.234"}) {
    EXPECT_EQ(DetectDataFileKind(text), DataFileKind::Text) << text;
  }
}

}  // namespace
}  // namespace volmograph
