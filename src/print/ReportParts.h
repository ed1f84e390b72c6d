#pragma once

// What the text and the graph report have in common: the page set-up, the header block,
// the listing of sample lines, the footer and the values they read from the lines.
//
// Pages are in twips (1/1440 inch), origin at the top-left of the printable area and
// y growing upwards, so every point of a page has y <= 0. Text is placed by the top-left
// corner of its cell, in the device context's default font.

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "graph/GraphScale.h"
#include "platform/Canvas.h"

namespace volmograph {

// Room between two listing lines.
inline constexpr int kListingLineSpacing = 300;

// The lines a report prints from and the name in its header.
struct ReportSource {
  std::span<const std::string> lines;  // the sample list, oldest first; only 500 are printed
  std::string_view fileName;           // code page 1252, as the header prints it
  int linesPerPage = 45;               // listing lines on each page after the first
};

// What a page leaves behind for the view to keep: values[i] is the value of list line i
// for first <= i < end, and end - first is the number of lines the report covers.
struct ReportValues {
  std::array<float, kGraphSamples> values{};
  int first = 0;
  int end = 0;
  int RecordedLines() const { return end - first; }
};

// Every page starts so: twips, and a white background behind the text.
void StartReportPage(Canvas& canvas);

// The page number, "%d Page", at the bottom of the page.
void PrintPageFooter(Canvas& canvas, int page);

// Reads the field at `position` of lines first..end-1 into values[first..end-1].
void ReadReportValues(std::span<const std::string> lines, std::size_t position,
                      ReportValues& values);

// The four header lines at x: file name, number of samples, largest and smallest value of
// values[first..end-1] (both 0 when there are none).
void PrintReportHeader(Canvas& canvas, int x, std::string_view fileName,
                       const ReportValues& values);

// Lines first..end-1 (as far as there are lines), 300 apart from `top` down, each without
// its last character (the raw value's last digit, or the line feed of a line read from a
// file). A line with nothing left keeps its place blank.
void PrintListing(Canvas& canvas, std::span<const std::string> lines, long long first,
                  long long end, int x, int top);

}  // namespace volmograph
