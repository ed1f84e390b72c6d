#pragma once

// The text report of the readout (display modes 0 and 1): page 1 holds the header at
// x = 2000 and the first 35 sample lines from y = -4000 down; each further page holds the
// next `linesPerPage` lines from y = -1500 down. Lines past the 500th are never printed.

#include <optional>

#include "print/ReportParts.h"

namespace volmograph {

// Draws page `page` (counting from 1), without the footer. Nothing is drawn, and there are
// no values, when the list is empty.
std::optional<ReportValues> PrintTextReport(Canvas& canvas, const ReportSource& source, int page);

}  // namespace volmograph
