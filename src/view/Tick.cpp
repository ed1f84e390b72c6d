// The view's 50 ms timer tick: poll the meter, decode the newest frame, and when a reading
// is due, list it, average it and show it.

#include <algorithm>
#include <climits>
#include <cstring>

#include "decode/ReadingDecoder.h"
#include "decode/SampleLine.h"
#include "view/CKeloView.h"
#include "view/CanvasLease.h"
#include "view/Ids.h"

namespace volmograph {

void CKeloView::OnTimer(int timerId) {
  if (timerId != kViewTimerId || m_displayMode == 0) {
    return;
  }
  const LocalTime now = m_platform.clock.Now();
  // A silent meter lets the countdown run on below zero; it must not wrap around.
  if (m_meter.m_ticksLeft > INT_MIN) {
    --m_meter.m_ticksLeft;
  }
  if (m_running == 1 && m_acquiring == 0) {
    return;  // paused
  }
  if (m_stopped == 1) {
    RedrawWhileStopped();
    return;
  }
  if (!TakeAcceptedFrame()) {
    return;
  }
  if (m_meter.m_sampleDue == 0) {
    return;
  }
  m_meter.m_sampleDue = 0;
  RecordDueReading(now);
}

void CKeloView::RedrawWhileStopped() {
  if (m_displayMode >= 2 && m_displayMode <= 4 && m_redrawPending != 0) {
    OnDraw();
    --m_redrawPending;
  }
}

// Polls the meter and decodes its newest frame; true when an accepted frame is in
// m_frameText and m_reading. A lost device and a waveform transfer are dealt with here.
bool CKeloView::TakeAcceptedFrame() {
  if (TellOfFramelessLine()) {
    return false;  // nothing more in this tick: the message box may have let others run
  }
  const int polled = m_meter.Poll();
  if (polled == POLL_GONE) {
    HandleDeviceGone();
    return false;
  }
  if (polled != POLL_DONE) {
    return false;
  }
  if (m_meter.m_lastFrame.size() > 1 && m_meter.m_lastFrame[1] == 'Z') {
    RunBulkTransferSteps();
    return false;
  }

  const std::size_t frameLength = std::min(m_meter.m_lastFrame.size(), kFrameLength);
  std::memcpy(m_frameText, m_meter.m_lastFrame.data(), frameLength);
  m_frameText[kFrameLength] = '\0';
  const std::string_view frame(m_frameText, kFrameLength);
  if (AcceptFrame(frame, m_reading) != FrameVerdict::Accepted) {
    return false;  // m_sampleDue stands, so the next accepted frame is recorded
  }
  // Before this run's first frame is cut, the text is the previous run's.
  m_lineProven = m_lineProven || m_meter.m_framesReceived > 0;
  return true;
}

// The reading a sampling interval asked for: listed, averaged and shown, unless it starts a
// new list or cannot be read.
void CKeloView::RecordDueReading(const LocalTime& now) {
  CanvasLease viewCanvas(m_platform.form, ctl::kView);
  if (viewCanvas.Get() == nullptr) {
    m_platform.prompter.ShowMessage("Fail Getdc!");
  }

  if (InterpretReading(m_frameText[1], m_reading) != InterpretResult::Done) {
    m_function = 0;
    m_sampleList.Clear();
    m_lastFunction = 0;
    m_lastPrefix = ' ';
    m_lastUnitChar = ' ';
    m_lastDecimals = 0;
    return;
  }
  m_frameText[1] = m_function;  // a DCV frame with the prefix 'm' is read as mV

  char line[kSampleLineLength + 1];
  BuildSampleLine(now, m_reading, line);
  m_sampleList.SetFont(m_fontList);

  // A new function, range or prefix starts a new list; this reading only primes the check.
  if (m_reading.decimals != m_lastDecimals || m_function != m_lastFunction ||
      m_unitText[0] != m_lastPrefix || m_unitText[1] != m_lastUnitChar) {
    m_sampleList.Clear();
    m_lastDecimals = m_reading.decimals;
    m_lastFunction = m_function;
    m_lastPrefix = m_unitText[0];
    m_lastUnitChar = m_unitText[1];
    return;
  }

  AppendSampleLine(line);
  KeepFiguresToOneQuantity();
  AddToAverage();
  ShowNewReading();
}

// The last 500 values and their sum, for the AVG figure.
void CKeloView::AddToAverage() {
  m_sampleCount += 1.0f;
  if (m_sampleCount > 500.0f) {
    m_sampleSum -= m_samples[1];
    std::memmove(&m_samples[1], &m_samples[2], 499 * sizeof m_samples[0]);
    m_sampleCount = 500.0f;
  }
  m_sampleSum += m_value;
  m_samples[static_cast<int>(m_sampleCount)] = m_value;
}

void CKeloView::ShowNewReading() {
  // Mode 2 draws nothing more. The list has just gained a line, so the Bar handler cannot
  // find it empty here.
  switch (m_displayMode) {
    case 1:
      UpdateReadout();
      break;
    case 3:
      DrawGraph();
      break;
    case 4:
      OnViewBar();
      break;
    default:
      break;
  }
}

void CKeloView::AppendSampleLine(const char* line) {
  const int index = m_sampleList.Add(line);
  m_sampleList.Select(index);
  m_sampleList.Invalidate();
  if (m_sampleList.Count() >= 500) {
    m_sampleList.DeleteAt(0);
  }
}

void CKeloView::RunBulkTransferSteps() {
  if (m_meter.m_sampleDue == 0) {
    return;
  }
  m_meter.Close();
  m_meter.m_sampleDue = 0;
  std::memcpy(m_waveform, m_meter.m_capture.data(), sizeof m_waveform);
  SetDisplayMode(2);
  m_stopped = 1;
  m_unsaved = 1;
  m_running = 0;
  m_acquiring = 0;
  m_meter.m_lastFrame = " ";
  OnDraw();
  m_sampleList.Clear();
}

// Twenty frames' worth of bytes without one the decoder accepts: most likely a meter at
// another speed, or another device on the port. Said once a run; the run goes on. A waveform
// transfer on its way is no such line.
bool CKeloView::TellOfFramelessLine() {
  constexpr std::uint64_t kBytesWithoutFrame = 20 * kFrameLength;
  if (m_lineProven || m_framelessTold || m_meter.m_bytesReceived < kBytesWithoutFrame ||
      m_meter.BulkHeld()) {
    return false;
  }
  m_framelessTold = true;
  m_platform.prompter.ShowMessage(
      "No meter frame in the bytes received: check that the meter sends at 9600 baud, 8N1, on "
      "this port",
      m_meter.m_deviceName);
  return true;
}

void CKeloView::HandleDeviceGone() {
  // Ends the run as Stop does, so everything recorded stays and can be saved.
  const std::string device = m_meter.m_deviceName;
  OnRunStop();
  m_platform.prompter.ShowMessage("Meter connection lost", device);
}

}  // namespace volmograph
