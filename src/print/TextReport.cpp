#include "print/TextReport.h"

#include <algorithm>

#include "print/PageCount.h"

namespace volmograph {

namespace {

constexpr int kMargin = 2000;
constexpr int kFirstPageTop = -4000;
constexpr int kPageTop = -1500;

}  // namespace

std::optional<ReportValues> PrintTextReport(Canvas& canvas, const ReportSource& source, int page) {
  if (source.lines.empty()) {
    return std::nullopt;
  }
  ReportValues values;
  values.end = static_cast<int>(std::min<std::size_t>(source.lines.size(), kGraphSamples));
  ReadReportValues(source.lines, kRawValueField.first, values);
  const std::span<const std::string> printed = source.lines.first(values.end);

  if (page == 1) {
    PrintReportHeader(canvas, kMargin, source.fileName, values);
    PrintListing(canvas, printed, 0, kFirstPageLines, kMargin, kFirstPageTop);
  } else if (page > 1) {
    const long long perPage = std::max(source.linesPerPage, 1);
    const long long first = kFirstPageLines + perPage * (page - 2);
    PrintListing(canvas, printed, first, first + perPage, kMargin, kPageTop);
  }
  return values;
}

}  // namespace volmograph
