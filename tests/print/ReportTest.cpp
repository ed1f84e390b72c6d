// The printed pages as display lists in twips: page counts, the text and graph reports, the
// picture printout and the footer.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "print/GraphReport.h"
#include "print/PageCount.h"
#include "print/PicturePrintout.h"
#include "print/TextReport.h"
#include "support/GraphLines.h"

namespace volmograph::test {
namespace {

using Ops = std::vector<std::string>;

std::string Text(int x, int y, const std::string& text) {
  return "text " + std::to_string(x) + " " + std::to_string(y) + " " + QuoteDisplayText(text);
}

bool Has(const Ops& ops, const std::string& op) {
  return std::find(ops.begin(), ops.end(), op) != ops.end();
}

Ops Tail(const Ops& ops, std::size_t count) {
  return Ops(ops.end() - std::min(count, ops.size()), ops.end());
}

// Lines whose raw values count up from `from` in steps of 0.001.
std::vector<std::string> Counting(int count, double from = 0.0) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    char raw[16];
    std::snprintf(raw, sizeof raw, "%6.3f", from + i * 0.001);
    lines.push_back(GraphLine("ACV", raw));
  }
  return lines;
}

// Lines first..end-1 as a page lists them, without their last character, from `top` down.
Ops Listing(const std::vector<std::string>& lines, int first, int end, int x, int top) {
  Ops ops;
  for (int i = first; i < end; ++i, top -= 300) {
    ops.push_back(Text(x, top, lines[i].substr(0, 66)));
  }
  return ops;
}

TEST(PrintReport, PageCounts) {
  // clang-format off
  struct Case {
    int mode, lines, perPage, pages;
  } const cases[] = {
      {1, 0, 45, 1}, {1, 35, 45, 1}, {1, 36, 45, 2}, {1, 80, 45, 2}, {1, 81, 45, 3},
      {1, 600, 45, 14}, {0, 600, 45, 1}, {2, 600, 45, 1}, {3, 45, 45, 2}, {4, 46, 45, 3},
      {3, 0, 45, 1}, {3, -7, 45, 1}, {3, 10, 0, 11}, {1, INT_MAX, 1, INT_MAX - 34},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(PrintPageCount(c.mode, c.lines, c.perPage), c.pages)
        << "mode " << c.mode << ", " << c.lines << " lines";
  }
}

TEST(PrintReport, TextReportHeaderAndPagesOfListing) {
  const std::vector<std::string> lines = Counting(600, 1.0);
  RecordingCanvas page1;
  const auto values = PrintTextReport(page1, {lines, "run.mtr", 45}, 1);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->RecordedLines(), 500);  // lines past the 500th are not printed
  Ops expected = {
      Text(2000, -1500, "Printing Filename    run.mtr"),
      Text(2000, -2500, "Number of Samples  : 500"),
      Text(2000, -3000, "Value of Maximum   : 1.499000"),  // increasing: the last
      Text(2000, -3500, "Value of Minimum   : 1.000000"),  // and the first
  };
  const Ops first35 = Listing(lines, 0, 35, 2000, -4000);
  expected.insert(expected.end(), first35.begin(), first35.end());
  EXPECT_EQ(page1.Operations(), expected);

  struct Case {
    int lineCount, page, first, end;
  } const cases[] = {
      {36, 2, 35, 36}, {80, 2, 35, 80}, {81, 3, 80, 81}, {600, 12, 485, 500}, {600, 13, 0, 0},
  };
  for (const Case& c : cases) {
    const std::vector<std::string> some(lines.begin(), lines.begin() + c.lineCount);
    RecordingCanvas canvas;
    ASSERT_TRUE(PrintTextReport(canvas, {some, "run.mtr", 45}, c.page));
    EXPECT_EQ(canvas.Operations(), Listing(lines, c.first, c.end, 2000, -1500))
        << c.lineCount << " lines, page " << c.page;
  }

  // An empty line keeps its place blank; a line read from a file loses its line feed.
  const std::vector<std::string> odd = {"", "abc\n"};
  RecordingCanvas canvas;
  ASSERT_TRUE(PrintTextReport(canvas, {odd, "", 45}, 1));
  EXPECT_EQ(Tail(canvas.Operations(), 2),
            (Ops{Text(2000, -3500, "Value of Minimum   : 0.000000"), Text(2000, -4300, "abc")}));
  EXPECT_FALSE(PrintTextReport(canvas, {{}, "", 45}, 1));
  EXPECT_FALSE(PrintGraphReport(canvas, {{}, "", 45}, {}, GraphKind::Line, 1));
  EXPECT_EQ(canvas.Operations().size(), 5u);  // an empty list draws nothing
}

TEST(PrintReport, LineGraphPageOfADcvList) {
  const std::vector<std::string> lines = {GraphLine("DCV", " 0.000"), GraphLine("DCV", " 4.000"),
                                          GraphLine("DCV", " 2.000"), GraphLine("DCV", " 5.200")};
  RecordingCanvas canvas;
  ASSERT_TRUE(PrintGraphReport(canvas, {lines, "dc.mtr", 45}, {}, GraphKind::Line, 1));
  const Ops expected = {
      Text(1800, -1500, "Printing Filename    dc.mtr"), Text(1800, -2500, "Number of Samples  : 4"),
      Text(1800, -3000, "Value of Maximum   : 5.200000"),
      Text(1800, -3500, "Value of Minimum   : 0.000000"), "moveto 1800 -5000", "lineto 1800 -13000",
      "lineto 11300 -13000", Text(1100, -5100, "4.000"), Text(1000, -12800, "-4.000"),
      Text(1600, -8900, "0"), Text(1800, -4000, "Function & Unit    : DCV[ Vdc]"),
      Text(1800, -13100, "0"), Text(3500, -13100, "1"), Text(5400, -13100, "2"),
      Text(7300, -13100, "3"), Text(9200, -13100, "4"), Text(11100, -13100, "5"),
      Text(5400, -13500, "100 Samples / Div"),
      // 0 in the middle of the band, 4 at its top, 2 halfway, 5.2 held at the top.
      "moveto 1800 -9000", "lineto 1800 -9000", "lineto 1819 -5000", "lineto 1838 -7000",
      "lineto 1857 -5000"};
  EXPECT_EQ(canvas.Operations(), expected);
}

TEST(PrintReport, BarsOfAnRpmListAndTheDiodeScale) {
  const std::vector<std::string> rpm = {GraphLine("RPM", "  6000", "RPM "),
                                        GraphLine("RPM", "     0", "RPM ")};
  RecordingCanvas canvas;
  ASSERT_TRUE(PrintGraphReport(canvas, {rpm, "", 45}, {}, GraphKind::Bar, 1));
  const Ops& ops = canvas.Operations();
  EXPECT_TRUE(Has(ops, Text(1100, -5100, "12000")) && Has(ops, Text(1600, -12800, "0")));
  // 6000 reaches the middle of the band; 0, the bottom of the scale, leaves the grey dots.
  Ops bars;
  for (const auto& [x, top] : {std::pair{1800, -9000}, {1819, -13000}}) {
    for (int b = 0; b < 19; ++b) {
      const std::string column = std::to_string(x + b);
      bars.push_back("pixel " + column + " -13000 7F7F7F");
      bars.push_back("moveto " + column + " -13000");
      bars.push_back("lineto " + column + " " + std::to_string(top));
    }
  }
  EXPECT_EQ(Tail(ops, bars.size()), bars);

  // A diode series plots its second display and widens the scale, not its labels; the
  // header keeps the raw values.
  const std::vector<std::string> diode = {GraphLine(" V DIODE", " 0.500", " V  ", " 8.000"),
                                          GraphLine(" V DIODE", " 0.700", " V  ", "-8.000"),
                                          GraphLine(" V DIODE", " 0.600", " V  ", " 0.000")};
  canvas.Clear();
  ASSERT_TRUE(PrintGraphReport(canvas, {diode, "", 45}, {}, GraphKind::Line, 1));
  EXPECT_TRUE(Has(ops, Text(1800, -3000, "Value of Maximum   : 0.700000")));
  EXPECT_TRUE(Has(ops, Text(1100, -5100, "4.000")) && Has(ops, Text(1000, -12800, "-4.000")));
  EXPECT_TRUE(Has(ops, Text(1800, -4000, "Function & Unit    :  V [Vdc ]")));
  EXPECT_EQ(Tail(ops, 3), (Ops{"lineto 1800 -5000", "lineto 1819 -13000", "lineto 1838 -9000"}));
}

TEST(PrintReport, GraphWindowsAndTheirListingPages) {
  const std::vector<std::string> lines = Counting(60);
  struct Case {
    GraphWindow window;
    int page, recorded, first, end;
  } const cases[] = {
      {{0, 500}, 2, 60, 0, 45}, {{0, 500}, 3, 60, 45, 60}, {{2, 50}, 2, 48, 2, 47},
      {{2, 50}, 3, 48, 47, 50}, {{5, 3}, 2, 0, 0, 0},      {{700, 500}, 2, 0, 0, 0},
  };
  for (const Case& c : cases) {
    RecordingCanvas canvas;
    const auto values = PrintGraphReport(canvas, {lines, "", 45}, c.window, GraphKind::Bar, c.page);
    ASSERT_TRUE(values);
    EXPECT_EQ(values->RecordedLines(), c.recorded) << c.window.first << ".." << c.window.last;
    EXPECT_EQ(canvas.Operations(), Listing(lines, c.first, c.end, 1800, -1500))
        << c.window.first << ".." << c.window.last << ", page " << c.page;
  }

  // A start beyond the end: no samples on the graph page, rather than a negative count.
  RecordingCanvas canvas;
  ASSERT_TRUE(PrintGraphReport(canvas, {lines, "", 45}, {5, 3}, GraphKind::Bar, 1));
  EXPECT_EQ(canvas.Operations()[1], Text(1800, -2500, "Number of Samples  : 0"));
  EXPECT_EQ(canvas.Operations().back(), Text(5400, -13500, "100 Samples / Div"));
}

TEST(PrintReport, PictureFooterAndPageSetUp) {
  std::uint8_t waveform[kWaveformSize] = {};
  waveform[2] = 0x01;    // column 0: never printed
  waveform[3] = 0x01;    // row 0, column 1
  waveform[66] = 0xFF;   // column 64 of page 0: cleared by the marker patch
  waveform[897] = 0x0C;  // row 50, column 127; bit 3 lies outside the picture
  RecordingCanvas canvas;
  StartReportPage(canvas);
  PrintPicture(canvas, waveform);
  PrintPageFooter(canvas, 3);
  EXPECT_EQ(canvas.Operations(),
            (Ops{"mapmode twips", "bkcolor FFFFFF", "brush 000000", "rect 3000 -13900 3100 -13800",
                 "rect 8000 -1300 8100 -1200", Text(5900, -15500, "3 Page")}));
  EXPECT_EQ(waveform[66], 0);
}

}  // namespace
}  // namespace volmograph::test
