#pragma once

#include <algorithm>

namespace volmograph {

// The print information record that the print flow, its dialog and the view share.
struct PrintInfo {
  bool preview = false;  // print preview: every page, and no print dialog
  int maxPage = 1;       // the document's pages are 1..maxPage
  // The range chosen in the print dialog; 0 means from the first or up to the last page.
  int fromPage = 0;
  int toPage = 0;

  // The pages to print, within 1..maxPage; none when LastPage() < FirstPage().
  int FirstPage() const { return std::max(fromPage, 1); }
  int LastPage() const { return toPage > 0 ? std::min(toPage, maxPage) : maxPage; }
};

}  // namespace volmograph
