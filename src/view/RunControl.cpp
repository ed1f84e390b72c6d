// Start, Stop and Pause. The run states follow (m_stopped, m_running, m_acquiring):
// Idle (1, 0, 0), Acquiring (0, 1, 1), Paused (1, 1, 0).

#include <algorithm>
#include <cstring>

#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/ViewText.h"

namespace volmograph {

void CKeloView::OnRunStart() {
  if (m_running == 1 && m_acquiring == 0) {
    // Resuming keeps the open port, the list and the countdown, but not the frames that
    // queued on the line during the pause: they would be listed with the time of resuming.
    m_stopped = 0;
    m_acquiring = 1;
    if (m_meter.DropBacklog() == POLL_GONE) {
      HandleDeviceGone();
    }
    return;
  }
  // Port numbers are 8 bits wide; a larger index still names the serial server, not COM0.
  // Widened first: the largest stored index plus one does not fit an int.
  const long long portNumber =
      std::clamp(static_cast<long long>(m_comSettings.m_portIndex) + 1, 0LL, 255LL);
  if (m_meter.Open(static_cast<std::uint8_t>(portNumber)) != 1) {
    return;
  }
  m_sampleSum = 0.0;
  m_sampleCount = 0.0f;
  m_lineProven = false;
  m_framelessTold = false;
  m_stopped = 0;
  m_running = 1;
  m_acquiring = 1;
  m_unsaved = 0;
  m_meter.m_ticksLeft = 0;

  m_platform.form.SetChecked(ctl::kRelButton, false);

  std::memset(m_frameText, ' ', sizeof m_frameText - 1);
  m_frameText[sizeof m_frameText - 1] = '\0';
  FillBlanks(m_valueText);
  FillBlanks(m_unitText);
  FillBlanks(m_rmsText);
  FillBlanks(m_value2Text);
  FillBlanks(m_unit2Text);
  FillBlanks(m_rms2Text);

  m_sampleList.Clear();
  m_lastFunction = 0;

  Form& form = m_platform.form;
  form.Invalidate();
  if (Canvas* canvas = form.AcquireCanvas(ctl::kDisplayFrame)) {
    canvas->SelectBrush(kGreen);
    canvas->SetBkMode(BkMode::Opaque);
    canvas->Rectangle(0, 0, 453, 172);
    form.ReleaseCanvas(ctl::kDisplayFrame, canvas);
  }
  form.Invalidate();

  form.SetFont(ctl::kValue, m_fontValue);
  SetDisplayMode(1);
  form.SetText(ctl::kValue, "WAIT");

  CopyField(m_szFileName, "NONAME");
  SetStatusPane(pane::kFileName, m_szFileName);
}

void CKeloView::OnRunStop() {
  m_running = 0;
  m_acquiring = 0;
  m_stopped = 1;
  m_unsaved = 1;
  m_meter.Close();
  m_recordedLines = m_sampleList.Count();
}

void CKeloView::OnRunPause() {
  m_acquiring = 0;
  m_stopped = 1;
  m_running = 1;
}

}  // namespace volmograph
