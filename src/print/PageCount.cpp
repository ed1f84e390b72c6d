#include "print/PageCount.h"

#include <algorithm>
#include <climits>

namespace volmograph {

namespace {

// 1 + ceil(lines / perPage), in 64 bits so that no count overflows.
int PagesAfterFirst(long long lines, int perPage) {
  const long long pages = 1 + (lines + perPage - 1) / perPage;
  return static_cast<int>(std::min<long long>(pages, INT_MAX));
}

}  // namespace

int PrintPageCount(int displayMode, int recordedLines, int linesPerPage) {
  const long long lines = std::max(recordedLines, 0);
  const int perPage = std::max(linesPerPage, 1);
  switch (displayMode) {
    case 1:
      return PagesAfterFirst(std::max(lines - kFirstPageLines, 0LL), perPage);
    case 3:
    case 4:
      return PagesAfterFirst(lines, perPage);
    default:
      return 1;
  }
}

}  // namespace volmograph
