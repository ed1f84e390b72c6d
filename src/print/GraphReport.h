#pragma once

// The graph report of the line and bar graphs (display modes 3 and 4). Page 1 holds the
// header at x = 1800, the title, the axes of a band 9500 x 8000 twips (x = 1800..11300,
// y = -13000..-5000, 19 twips a sample), the labels of the screen's scale and the series of
// the sample window; each further page lists `linesPerPage` lines of the window from
// y = -1500 down.

#include <optional>

#include "graph/GraphPicture.h"
#include "print/ReportParts.h"

namespace volmograph {

// The sample window: lines first..last-1 (within the first 500 lines of the list).
struct GraphWindow {
  int first = 0;
  int last = kGraphSamples;
};

// The window as printed: first within 0..500, and end no less than first, so that a start
// beyond the end leaves an empty window instead of a negative count.
ReportValues GraphWindowValues(std::size_t lineCount, GraphWindow window);

// Draws page `page` (counting from 1), without the footer. Nothing is drawn, and there are
// no values, when the list is empty.
std::optional<ReportValues> PrintGraphReport(Canvas& canvas, const ReportSource& source,
                                             GraphWindow window, GraphKind kind, int page);

}  // namespace volmograph
