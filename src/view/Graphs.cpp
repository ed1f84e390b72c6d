// The line and bar graphs of the sample list in the display frame.

#include <algorithm>
#include <string>
#include <vector>

#include "graph/GraphPicture.h"
#include "view/CKeloView.h"
#include "view/CanvasLease.h"
#include "view/Ids.h"

namespace volmograph {

void CKeloView::DrawGraph() {
  // An empty list draws nothing and says nothing here: only the Line and Bar commands report
  // it, so that a repaint cannot raise the message again and again.
  if (m_sampleList.Count() == 0) {
    return;
  }
  CanvasLease frame(m_platform.form, ctl::kDisplayFrame);
  if (frame.Get() == nullptr) {
    return;
  }
  m_graphFirst = 0;
  m_graphLast = kGraphSamples;
  const std::vector<std::string> lines = ReadListLines();
  const GraphKind kind = m_displayMode == 4 ? GraphKind::Bar : GraphKind::Line;
  const auto plot = DrawGraphPicture(*frame.Get(), lines, kind, m_fontVertical);
  if (!plot) {
    return;
  }
  std::copy_n(plot->values.begin(), plot->count, m_plotValues);
  std::copy(plot->axisTitle.begin(), plot->axisTitle.end(), m_axisTitle);
  m_graphFirst = plot->first;
  m_graphLast = plot->last;
}

std::vector<std::string> CKeloView::ReadListLines() const {
  const int count = std::min(m_sampleList.Count(), kGraphSamples);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    lines.push_back(m_sampleList.Line(i));
  }
  return lines;
}

void CKeloView::OnViewLine() {
  ShowGraph(3);
}

void CKeloView::OnViewBar() {
  ShowGraph(4);
}

void CKeloView::ShowGraph(int mode) {
  SetDisplayMode(mode);
  if (m_sampleList.Count() == 0) {
    // The frame keeps whatever it showed.
    m_platform.prompter.ShowMessage("Data not exist !");
    return;
  }
  DrawGraph();
}

}  // namespace volmograph
