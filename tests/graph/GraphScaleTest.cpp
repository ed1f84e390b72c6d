// Scale selection from a sample line, and the placement of values and samples in pixels.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

#include "graph/GraphScale.h"
#include "support/GraphLines.h"

namespace volmograph::test {
namespace {

// A scale in one line: bottom..top, baseline, labels with their x, the zero label's row.
std::string Describe(const GraphScale& s) {
  std::ostringstream out;
  out << s.bottom << ".." << s.top << " @" << s.baseline << " " << s.topLabel << "@" << s.topLabelX;
  if (s.bottomLabel) {
    out << " " << *s.bottomLabel << "@" << s.bottomLabelX;
  }
  out << " 0@" << s.zeroLabelRow << (s.diode ? " diode" : "");
  return out.str();
}

TEST(GraphScale, FunctionAndRangeChooseTheScale) {
  const std::pair<std::string, const char*> cases[] = {
      {GraphLine("ACV", " 1.234"), "0..4 @135 4.000@7 0@125"},
      {GraphLine("DCV", "-12.34"), "-40..40 @71 40.00@7 -40.00@2 0@62"},
      {GraphLine("mV [AC]/HI-Z", " 123.4"), "0..400 @135 400.0@7 0@125"},
      {GraphLine("mV [DC]/HI-Z", "-123.4"), "-400..400 @71 400.0@7 -400.0@2 0@62"},
      {GraphLine("OHM", "  1234"), "0..4000 @135 4000@12 0@125"},
      {GraphLine("nS", " 12.34"), "0..40 @135 40.00@7 0@125"},
      {GraphLine(" V DIODE", "  FORW"), "-4..4 @71 4.000@7 -4.000@2 0@62 diode"},
      {GraphLine("CAPACITANCE", " 1.234"), "0..4 @135 4.000@7 0@125"},
      {GraphLine("mA / \xB5"
                 "A [AC]",
                 " 12.34"),
       "0..40 @135 40.00@7 0@125"},
      {GraphLine("mA / \xB5"
                 "A [DC]",
                 " 12.34"),
       "-40..40 @71 40.00@7 -40.00@2 0@62"},
      {GraphLine("20A [AC]", " 1.234"), "0..20 @135 20.00@7 0@125"},
      {GraphLine("20A [DC]", " 1.234"), "-20..20 @71 20.00@7 -20.00@2 0@62"},
      {GraphLine("RPM", "  1234"), "0..12000 @135 12000@7 0@125"},
      {GraphLine("SIGNAL OUT", " 1.234"), "0..4 @135 4.000@7 0@125"},
      // Functions without a scale of their own fall through to a bipolar one by range.
      {GraphLine("TEMPERATURE / AUX", " 123.4"), "-400..400 @71 400.0@7 -400.0@2 0@62"},
      {GraphLine(" A [CURRENT] / AUX", " 1.234"), "-4..4 @71 4.000@7 -4.000@2 0@62"},
      {GraphLine("SETUP / INSTALL", "  1234"), "-4000..4000 @71 4000@12 -4000@7 0@62"},
      // A line cut short after the function name: the raw value reads as blanks.
      {GraphLine("DCV", " 1.234").substr(0, 45), "-4000..4000 @71 4000@12 -4000@7 0@62"},
      {"", "-4000..4000 @71 4000@12 -4000@7 0@62"},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(Describe(SelectGraphScale(line)), expected) << line;
  }
}

TEST(GraphScale, ValueFieldsParseLikeTheMeterWritesThem) {
  const struct {
    std::string line;
    std::size_t position;
    float value;
  } cases[] = {
      {GraphLine("DCV", "-12.34"), kRawValueField.first, -12.34f},
      {GraphLine("DCV", " OVER "), kRawValueField.first, 0.0f},
      {GraphLine("DCV", " 1.2.3"), kRawValueField.first, 1.2f},
      {GraphLine(" V DIODE", "  FORW", "    ", " 0.612"), kValue2Field.first, 0.612f},
      {GraphLine("DCV", " 1.234").substr(0, 63), kRawValueField.first, 1.0f},  // " 1" and blanks
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadValueField(c.line, c.position), c.value) << c.line;
  }
}

TEST(GraphScale, ValuesLandOnRowsAndClampToTheBand) {
  const struct {
    float top, bottom, value;
    int row;
  } cases[] = {
      {40, -40, 0, 71},    {40, -40, 40, 6},       {40, -40, -40, 135},  {40, -40, 12.34f, 51},
      {40, -40, 55, 6},    {40, -40, -1e30f, 135}, {4, 0, 2, 71},        {4, 0, 1, 103},
      {4, 0, -1, 135},     {4, 0, 1e30f, 6},       {12000, 0, 6000, 71}, {20, -20, 10, 39},
      {5.2f, -4, 5.2f, 6}, {5.2f, -4, 0.6f, 71},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlotRow(c.value, c.bottom, ScaleStep(c.top, c.bottom)), c.row)
        << c.value << " on " << c.bottom << ".." << c.top;
  }
}

TEST(GraphScale, SamplesTakeFourFifthsOfAPixelEach) {
  const std::pair<int, int> columns[] = {{0, 45}, {1, 45}, {2, 46},    {3, 47},
                                         {4, 48}, {5, 49}, {250, 245}, {499, 444}};
  for (const auto& [sample, column] : columns) {
    EXPECT_EQ(SampleColumn(sample), column) << sample;
  }
}

}  // namespace
}  // namespace volmograph::test
