#pragma once

namespace volmograph {

// Listing lines under the header of the text report's first page.
inline constexpr int kFirstPageLines = 35;

// Pages of the printout of a display mode, for `recordedLines` sample lines:
// - mode 1, the text report: 35 lines on page 1, `linesPerPage` on each further page;
// - modes 3 and 4, the graph report: the graph page, then `linesPerPage` lines a page;
// - any other mode (0, 2): one page.
// A negative line count counts as none, and a page holds at least one line.
int PrintPageCount(int displayMode, int recordedLines, int linesPerPage);

}  // namespace volmograph
