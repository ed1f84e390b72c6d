#include "print/ReportParts.h"

#include <algorithm>
#include <cstdio>

namespace volmograph {

namespace {

constexpr int kFooterX = 5900;
constexpr int kFooterY = -15500;

std::string FormatNumber(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

void StartReportPage(Canvas& canvas) {
  canvas.SetMapMode(MapMode::Twips);
  canvas.SetBkColor(kWhite);
}

void PrintPageFooter(Canvas& canvas, int page) {
  canvas.TextOut(kFooterX, kFooterY, std::to_string(page) + " Page");
}

void ReadReportValues(std::span<const std::string> lines, std::size_t position,
                      ReportValues& values) {
  for (int i = values.first; i < values.end; ++i) {
    values.values[i] = ReadValueField(lines[i], position);
  }
}

void PrintReportHeader(Canvas& canvas, int x, std::string_view fileName,
                       const ReportValues& values) {
  float max = 0.0f;
  float min = 0.0f;
  if (values.end > values.first) {
    const auto begin = values.values.begin();
    const auto [low, high] = std::minmax_element(begin + values.first, begin + values.end);
    min = *low;
    max = *high;
  }
  canvas.TextOut(x, -1500, "Printing Filename    " + std::string(fileName));
  canvas.TextOut(x, -2500, "Number of Samples  : " + std::to_string(values.RecordedLines()));
  canvas.TextOut(x, -3000, FormatNumber("Value of Maximum   : %f", max));
  canvas.TextOut(x, -3500, FormatNumber("Value of Minimum   : %f", min));
}

void PrintListing(Canvas& canvas, std::span<const std::string> lines, long long first,
                  long long end, int x, int top) {
  end = std::min<long long>(end, static_cast<long long>(lines.size()));
  int y = top;
  for (long long i = std::max(first, 0LL); i < end; ++i, y -= kListingLineSpacing) {
    const std::string& line = lines[static_cast<std::size_t>(i)];
    if (!line.empty()) {
      canvas.TextOut(x, y, line.substr(0, line.size() - 1));
    }
  }
}

}  // namespace volmograph
