// The four function buttons: REL, dB, P-H (peak hold) and M/M (minimum, maximum, average).
// REL and dB are independent; PEAK HOLD and MIN/MAX exclude each other.

#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/ViewText.h"

namespace volmograph {

namespace {

// The extremes start outside any reading so that the first one sets both.
constexpr float kExtremeStartMin = 10000.0f;
constexpr float kExtremeStartMax = -10000.0f;

void EnableAll(Form& form, std::initializer_list<int> ids, bool enabled) {
  for (int id : ids) {
    form.Enable(id, enabled);
  }
}

}  // namespace

void CKeloView::OnRel() {
  Form& form = m_platform.form;
  if (m_relOn) {
    m_relOn = 0;
    EnableAll(form, {ctl::kRelGroup, ctl::kRelReference}, false);
    return;
  }
  // The reference actually used is taken from the next displayed reading.
  m_relValue = m_value;
  m_relOn = 1;
  m_relCapture = 1;
  EnableAll(form, {ctl::kRelGroup, ctl::kRelReference}, true);
}

void CKeloView::OnDb() {
  Form& form = m_platform.form;
  if (m_dbOn) {
    m_dbOn = 0;
    m_restoreTexts = 1;
    form.SetText(ctl::kRelReference, Format("%s %s %s", m_rmsText, m_relValueText, m_relUnitText));
    EnableAll(form, {ctl::kDbGroup, ctl::kDbReference}, false);
    return;
  }
  m_dbOn = 1;
  EnableAll(form, {ctl::kDbGroup, ctl::kDbReference}, true);
  form.SetText(ctl::kDbReference, Format("%d OHM", m_dbRefOhm));
}

void CKeloView::OnPeakHold() {
  Form& form = m_platform.form;
  if (m_peakHoldOn) {
    m_peakHoldOn = 0;
    EnableAll(form, {ctl::kExtremesGroup, ctl::kPeakMax, ctl::kPeakMin}, false);
    return;
  }
  m_minMaxOn = 0;
  for (int id : {ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin}) {
    form.SetText(id, "");
  }
  m_peakHoldOn = 1;
  m_phMin = kExtremeStartMin;
  m_phMax = kExtremeStartMax;
  form.SetText(ctl::kExtremesGroup, "PEAK HOLD");
  EnableAll(form, {ctl::kExtremesGroup, ctl::kPeakMax, ctl::kPeakMin}, true);
}

void CKeloView::OnMinMax() {
  Form& form = m_platform.form;
  if (m_minMaxOn) {
    m_minMaxOn = 0;
    EnableAll(form, {ctl::kExtremesGroup, ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin},
              false);
    return;
  }
  m_peakHoldOn = 0;
  form.SetText(ctl::kPeakMax, "");
  form.SetText(ctl::kPeakMin, "");
  m_sampleSum = 0.0;
  m_sampleCount = 0.0f;
  m_minMaxOn = 1;
  m_mmMin = kExtremeStartMin;
  m_mmMax = kExtremeStartMax;
  form.SetText(ctl::kExtremesGroup, "MIN/MAX");
  for (int id : {ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin}) {
    form.SetText(id, "");
  }
  EnableAll(form, {ctl::kExtremesGroup, ctl::kMinMaxMax, ctl::kMinMaxAvg, ctl::kMinMaxMin}, true);
}

}  // namespace volmograph
