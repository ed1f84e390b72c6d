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

std::string Text(int x, int y, const std::string& text) {
  return "text " + std::to_string(x) + " " + std::to_string(y) + " " + QuoteDisplayText(text);
}

// Lines whose raw values count up from `from`: "%6.3f", the point at position 63.
std::vector<std::string> Counting(int count, double from = 0.0, const char* label = "ACV") {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    char raw[16];
    std::snprintf(raw, sizeof raw, "%6.3f", from + i * 0.001);
    lines.push_back(GraphLine(label, raw));
  }
  return lines;
}

// The listing lines of a page drawn from the top of the page down, as expected at x.
std::vector<std::string> Listing(const std::vector<std::string>& lines, int first, int end, int x,
                                 int top) {
  std::vector<std::string> ops;
  for (int i = first; i < end; ++i, top -= 300) {
    ops.push_back(Text(x, top, lines[i].substr(0, 66)));
  }
  return ops;
}

std::vector<std::string> TextsBelow(const std::vector<std::string>& ops, int top) {
  std::vector<std::string> texts;
  for (const std::string& op : ops) {
    int x = 0, y = 0;
    if (std::sscanf(op.c_str(), "text %d %d", &x, &y) == 2 && y <= top) {
      texts.push_back(op);
    }
  }
  return texts;
}

TEST(PrintReport, PageCounts) {
  struct Case {
    int mode, lines, perPage, pages;
  } const cases[] = {
      {1, 0, 45, 1},   {1, 35, 45, 1},
      {1, 36, 45, 2},  {1, 80, 45, 2},
      {1, 81, 45, 3},  {1, 600, 45, 14},
      {0, 600, 45, 1}, {2, 600, 45, 1},
      {3, 45, 45, 2},  {4, 46, 45, 3},
      {3, 0, 45, 1},   {3, -7, 45, 1},
      {3, 10, 0, 11},  {1, INT_MAX, 1, INT_MAX - 34},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintPageCount(c.mode, c.lines, c.perPage), c.pages)
        << "mode " << c.mode << ", " << c.lines << " lines";
  }
}

TEST(PrintReport, TextReportHeaderAndPagesOfListing) {
  const std::vector<std::string> lines = Counting(600, 1.0);
  const ReportSource source{lines, "run.mtr", 45};
  RecordingCanvas page1;
  const auto values = PrintTextReport(page1, source, 1);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->RecordedLines(), 500);  // lines past the 500th are not printed
  EXPECT_EQ(values->values[499], 1.499f);
  std::vector<std::string> expected = {
      Text(2000, -1500, "Printing Filename    run.mtr"),
      Text(2000, -2500, "Number of Samples  : 500"),
      Text(2000, -3000, "Value of Maximum   : 1.499000"),  // increasing: the last
      Text(2000, -3500, "Value of Minimum   : 1.000000"),  // and the first
  };
  const std::vector<std::string> first35 = Listing(lines, 0, 35, 2000, -4000);
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
}

TEST(PrintReport, EmptyListsAndLinesPrintNothing) {
  RecordingCanvas canvas;
  EXPECT_FALSE(PrintTextReport(canvas, {{}, "", 45}, 1));
  EXPECT_FALSE(PrintGraphReport(canvas, {{}, "", 45}, {}, GraphKind::Line, 1));
  EXPECT_TRUE(canvas.Operations().empty());

  // An empty line keeps its place blank; a line read from a file loses its line feed.
  const std::vector<std::string> lines = {"", "abc\n", GraphLine("ACV", " 1.000")};
  ASSERT_TRUE(PrintTextReport(canvas, {lines, "", 45}, 1));
  EXPECT_EQ(TextsBelow(canvas.Operations(), -4000),
            (std::vector<std::string>{Text(2000, -4300, "abc"),
                                      Text(2000, -4600, lines[2].substr(0, 66))}));
}

std::vector<std::string> SampleAxis() {
  return {Text(1800, -13100, "0"),
          Text(3500, -13100, "1"),
          Text(5400, -13100, "2"),
          Text(7300, -13100, "3"),
          Text(9200, -13100, "4"),
          Text(11100, -13100, "5"),
          Text(5400, -13500, "100 Samples / Div")};
}

TEST(PrintReport, LineGraphPageOfADcvList) {
  const std::vector<std::string> lines = {GraphLine("DCV", " 0.000"), GraphLine("DCV", " 4.000"),
                                          GraphLine("DCV", " 2.000"), GraphLine("DCV", " 5.200")};
  RecordingCanvas canvas;
  const auto values = PrintGraphReport(canvas, {lines, "dc.mtr", 45}, {}, GraphKind::Line, 1);
  std::vector<std::string> expected = {Text(1800, -1500, "Printing Filename    dc.mtr"),
                                       Text(1800, -2500, "Number of Samples  : 4"),
                                       Text(1800, -3000, "Value of Maximum   : 5.200000"),
                                       Text(1800, -3500, "Value of Minimum   : 0.000000"),
                                       "moveto 1800 -5000",
                                       "lineto 1800 -13000",
                                       "lineto 11300 -13000",
                                       Text(1100, -5100, "4.000"),
                                       Text(1000, -12800, "-4.000"),
                                       Text(1600, -8900, "0"),
                                       Text(1800, -4000, "Function & Unit    : DCV[ Vdc]")};
  const std::vector<std::string> axis = SampleAxis();
  expected.insert(expected.end(), axis.begin(), axis.end());
  // 0 in the middle of the band, 4 at its top, 2 halfway, 5.2 held at the top.
  for (const char* op : {"moveto 1800 -9000", "lineto 1800 -9000", "lineto 1819 -5000",
                         "lineto 1838 -7000", "lineto 1857 -5000"}) {
    expected.push_back(op);
  }
  EXPECT_EQ(canvas.Operations(), expected);
  ASSERT_TRUE(values);
  EXPECT_EQ(values->RecordedLines(), 4);
}

TEST(PrintReport, BarGraphOfAnRpmListStartsAtTheBottom) {
  const std::vector<std::string> lines = {GraphLine("RPM", "  6000", "RPM "),
                                          GraphLine("RPM", "     0", "RPM ")};
  RecordingCanvas canvas;
  ASSERT_TRUE(PrintGraphReport(canvas, {lines, "", 45}, {}, GraphKind::Bar, 1));
  const std::vector<std::string>& ops = canvas.Operations();
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1100, -5100, "12000")), 1);
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1600, -12800, "0")), 1);
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1800, -4000, "Function & Unit    : RPM[RPM ]")),
            1);

  // 6000 reaches the middle of the band; 0, the bottom of the scale, only leaves grey dots.
  std::vector<std::string> bars;
  for (const auto& [x, top] : {std::pair{1800, -9000}, {1819, -13000}}) {
    for (int b = 0; b < 19; ++b) {
      const std::string column = std::to_string(x + b);
      bars.push_back("pixel " + column + " -13000 7F7F7F");
      bars.push_back("moveto " + column + " -13000");
      bars.push_back("lineto " + column + " " + std::to_string(top));
    }
  }
  ASSERT_GE(ops.size(), bars.size());
  EXPECT_EQ(std::vector<std::string>(ops.end() - bars.size(), ops.end()), bars);
}

TEST(PrintReport, DiodeValuesWidenTheScaleButNotItsLabels) {
  const std::vector<std::string> lines = {GraphLine(" V DIODE", " 0.500", " V  ", " 8.000"),
                                          GraphLine(" V DIODE", " 0.600", " V  ", "-8.000"),
                                          GraphLine(" V DIODE", " 0.700", " V  ", " 0.000")};
  RecordingCanvas canvas;
  const auto values = PrintGraphReport(canvas, {lines, "", 45}, {}, GraphKind::Line, 1);
  const std::vector<std::string>& ops = canvas.Operations();
  EXPECT_EQ(ops[2], Text(1800, -3000, "Value of Maximum   : 0.700000"));  // the raw values
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1100, -5100, "4.000")), 1);
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1000, -12800, "-4.000")), 1);
  EXPECT_EQ(std::count(ops.begin(), ops.end(), Text(1800, -4000, "Function & Unit    :  V [Vdc ]")),
            1);
  EXPECT_EQ(
      std::vector<std::string>(ops.end() - 3, ops.end()),
      (std::vector<std::string>{"lineto 1800 -5000", "lineto 1819 -13000", "lineto 1838 -9000"}));
  ASSERT_TRUE(values);
  EXPECT_EQ(values->values[1], -8.0f);
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
  const std::vector<std::string>& ops = canvas.Operations();
  EXPECT_EQ(ops[1], Text(1800, -2500, "Number of Samples  : 0"));
  EXPECT_EQ(ops.back(), Text(5400, -13500, "100 Samples / Div"));
}

TEST(PrintReport, PictureIsTurnedAndPatched) {
  std::uint8_t waveform[kWaveformSize] = {};
  waveform[2] = 0x01;    // column 0: never printed
  waveform[3] = 0x01;    // row 0, column 1
  waveform[66] = 0xFF;   // column 64 of page 0: cleared by the marker patch
  waveform[897] = 0x0C;  // row 50, column 127; bit 3 lies outside the picture
  RecordingCanvas canvas;
  PrintPicture(canvas, waveform);
  EXPECT_EQ(canvas.Operations(),
            (std::vector<std::string>{"brush 000000", "rect 3000 -13900 3100 -13800",
                                      "rect 8000 -1300 8100 -1200"}));
  EXPECT_EQ(waveform[66], 0);
}

TEST(PrintReport, PageSetUpAndFooter) {
  RecordingCanvas canvas;
  StartReportPage(canvas);
  PrintPageFooter(canvas, 3);
  EXPECT_EQ(canvas.Operations(), (std::vector<std::string>{"mapmode twips", "bkcolor FFFFFF",
                                                           Text(5900, -15500, "3 Page")}));
}

}  // namespace
}  // namespace volmograph::test
