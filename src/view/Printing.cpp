// Printing and print preview: the page count, and each page of the text report, the graph
// report or the waveform picture as the display mode chooses.

#include <algorithm>
#include <optional>

#include "platform/TextEncoding.h"
#include "print/GraphReport.h"
#include "print/PageCount.h"
#include "print/PicturePrintout.h"
#include "print/TextReport.h"
#include "view/CKeloView.h"

namespace volmograph {

bool CKeloView::OnPreparePrinting(PrintInfo& info) {
  info.maxPage = PrintPageCount(m_displayMode, m_recordedLines, m_linesPerPage);
  return m_platform.dialogs.PreparePrinting(info);
}

void CKeloView::OnBeginPrinting(Canvas&, const PrintInfo&) {}

void CKeloView::OnEndPrinting(Canvas&, const PrintInfo&) {}

// Each page reads the list as it stands when the page is drawn, so a page printed during a
// run shows the lines recorded so far.
void CKeloView::OnPrint(Canvas& dc, int page) {
  StartReportPage(dc);
  if (m_displayMode == 2) {
    PrintPicture(dc, m_waveform);
    return;
  }
  const std::vector<std::string> lines = ReadListLines();
  const std::string fileName = Utf8ToCp1252(m_szFileName);
  const ReportSource source{lines, fileName, m_linesPerPage};
  std::optional<ReportValues> values;
  if (m_displayMode == 3 || m_displayMode == 4) {
    const GraphKind kind = m_displayMode == 4 ? GraphKind::Bar : GraphKind::Line;
    values = PrintGraphReport(dc, source, {m_graphFirst, m_graphLast}, kind, page);
  } else {
    values = PrintTextReport(dc, source, page);
  }
  if (!values) {
    m_platform.prompter.ShowMessage("Data not exist !");
    return;
  }
  std::copy(values->values.begin() + values->first, values->values.begin() + values->end,
            m_plotValues + values->first);
  m_recordedLines = values->RecordedLines();
  PrintPageFooter(dc, page);
}

void CKeloView::PrintPageFooter(Canvas& dc, int page) {
  ::volmograph::PrintPageFooter(dc, page);
}

}  // namespace volmograph
