// The display frame's pictures: idle, numeric readout, waveform, line graph, bar graph.

#include "graph/WaveformPicture.h"
#include "view/CKeloView.h"
#include "view/Ids.h"

namespace volmograph {

namespace {

constexpr int kReadoutStatics[] = {ctl::kValue, ctl::kUnit, ctl::kRms, ctl::kValue2, ctl::kUnit2};

void PaintFrameGreen(Canvas& canvas) {
  canvas.SelectBrush(kGreen);
  canvas.SetBkMode(BkMode::Opaque);
  canvas.Rectangle(0, 0, 453, 172);
}

}  // namespace

void CKeloView::SetDisplayMode(int mode) {
  Form& form = m_platform.form;
  m_displayMode = mode;
  switch (mode) {
    case 1:
      m_waveformShown = 0;
      for (int id : kReadoutStatics) {
        form.SetText(id, " ");
      }
      for (int id : kReadoutStatics) {
        form.Show(id, true);
      }
      break;
    case 2:
      m_waveformShown = 1;
      for (int id : kReadoutStatics) {
        form.Show(id, false);
      }
      break;
    case 3:
    case 4:
      m_waveformShown = 0;
      for (int id : kReadoutStatics) {
        form.Show(id, false);
      }
      break;
    default:
      m_displayMode = 0;
      m_waveformShown = 0;
      break;
  }
}

void CKeloView::OnDraw() {
  if (m_redrawPending == 0) {
    m_redrawPending = 1;
  }
  if (m_displayMode == 2) {
    DrawWaveform();
  } else if (m_displayMode == 3 || m_displayMode == 4) {
    DrawGraph();
  }
}

void CKeloView::DrawWaveform() {
  if (m_waveformShown == 0) {
    return;
  }
  Form& form = m_platform.form;
  Canvas* canvas = form.AcquireCanvas(ctl::kDisplayFrame);
  SetDisplayMode(2);
  m_sampleList.Clear();
  if (canvas == nullptr) {
    return;
  }
  PaintFrameGreen(*canvas);
  canvas->SelectBrush(kBlue);
  ApplyMarkerPatch(m_waveform);
  DrawWaveformDots(*canvas, m_waveform);
  form.ReleaseCanvas(ctl::kDisplayFrame, canvas);
}

void CKeloView::OnViewText() {
  Form& form = m_platform.form;
  if (Canvas* canvas = form.AcquireCanvas(ctl::kDisplayFrame)) {
    PaintFrameGreen(*canvas);
    form.ReleaseCanvas(ctl::kDisplayFrame, canvas);
  }
  form.Invalidate();
  form.SetFont(ctl::kValue, m_fontValue);
  SetDisplayMode(1);
}

void CKeloView::OnViewWaveform() {
  DrawWaveform();
}

}  // namespace volmograph
