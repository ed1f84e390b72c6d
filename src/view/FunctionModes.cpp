// The four function buttons: REL, dB, P-H (peak hold) and M/M (minimum, maximum, average).
// REL and dB are independent; PEAK HOLD and MIN/MAX exclude each other.

#include <limits>

#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/ViewText.h"

namespace volmograph {

namespace {

// The extremes start outside every reading, so that the first one sets both: bounds of
// 10000 would never let a reading of 12000 RPM become the minimum.
constexpr float kExtremeStartMin = std::numeric_limits<float>::max();
constexpr float kExtremeStartMax = std::numeric_limits<float>::lowest();

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

// REL, the extremes and the average compare the meter's bare display numbers, which mean
// nothing across a change of function or prefix: 3.900 kOhm would count as less than
// 390.0 Ohm, and volts would be averaged with ohms. So the figures restart with each new
// quantity, and REL ends as its button would end it. Diode readings leave the figures
// alone and are averaged with them.
void CKeloView::KeepFiguresToOneQuantity() {
  const Quantity current{m_function, m_unitText[0], m_unitText[1]};
  if (m_function == 'G' || current == m_figuresQuantity) {
    return;
  }
  m_figuresQuantity = current;
  m_sampleSum = 0.0;
  m_sampleCount = 0.0f;
  m_phMin = m_mmMin = kExtremeStartMin;
  m_phMax = m_mmMax = kExtremeStartMax;
  if (m_relOn && !m_relCapture) {
    OnRel();
  }
}

}  // namespace volmograph
