// The numeric readout of display mode 1: value, unit, rms marker and second display, with
// the REL, dB, PEAK HOLD and MIN/MAX/AVG figures around them.

#include "decode/ReadingDecoder.h"
#include "view/CKeloView.h"
#include "view/Ids.h"
#include "view/ViewText.h"

namespace volmograph {

namespace {

bool IsDecibelFunction(char function) {
  return (function >= 'A' && function <= 'D') || function == 'K' || function == 'L';
}

// How a derived figure reads: dB with two decimals, nS with one.
struct DerivedStyle {
  const char* number;  // "%.2f" or "%.1f"
  const char* unit;    // "dB" or "nS"
};

std::string DerivedText(const char* prefix, const char* rms, double value,
                        const DerivedStyle& style) {
  return std::string(prefix) + Format("%s ", rms) + Format(style.number, value) + " " + style.unit;
}

}  // namespace

void CKeloView::UpdateReadout() {
  Form& form = m_platform.form;
  form.Show(ctl::kValue2, true);
  form.Show(ctl::kUnit, true);
  form.Show(ctl::kUnit2, true);

  if (m_function != 'G') {
    if (m_peakHoldOn) {
      TrackExtremes(m_phMax, m_phMin, m_phMaxText, m_phMinText, ctl::kPeakMax, ctl::kPeakMin);
    } else if (m_minMaxOn) {
      TrackExtremes(m_mmMax, m_mmMin, m_mmMaxText, m_mmMinText, ctl::kMinMaxMax, ctl::kMinMaxMin);
      form.SetText(ctl::kMinMaxAvg,
                   Format("AVG:%s%.3f%s", m_rmsText, m_sampleSum / m_sampleCount, m_unitText));
    }
  }

  CopyField(m_readoutText, m_valueText);
  const bool relative = m_relOn && m_function != 'G';
  if (relative) {
    if (m_relCapture) {
      m_relCapture = 0;
      m_relValue = m_value;
      form.SetText(ctl::kRelReference, Format("%s %s %s", m_rmsText, m_valueText, m_unitText));
      CopyField(m_relValueText, m_valueText);
      CopyField(m_relUnitText, m_unitText);
    }
    CopyField(m_readoutText, Format("%4.3f", static_cast<double>(m_value - m_relValue)));
  }

  const bool derived = m_dbOn && ShowDerivedFigures();

  form.SetFont(ctl::kValue, m_fontValue);
  // A REL difference, a dB or an nS figure is not a count of the meter's display: measured
  // against the range's counts, 8.24 dB of a 2.000 V reading would read as over range, and
  // 2.999 V above a 1.000 V reference would hide an overload. Each shows "OVER" only when
  // the reading itself is.
  const bool over =
      relative || derived
          ? m_reading.over
          : m_function != 'M' && IsOverRange(m_function, m_readoutText, m_reading.decimals);
  form.SetText(ctl::kValue, over ? "OVER" : m_readoutText);

  form.SetFont(ctl::kUnit, m_fontLargeGreek);
  for (char& c : m_unitText) {
    if (c == 'u') {
      c = kMicroSign;
    }
  }
  form.SetText(ctl::kUnit, m_unitText);
  form.SetFont(ctl::kRms, m_fontLarge);
  form.SetFont(ctl::kValue2, m_fontLarge);
  form.SetText(ctl::kRms, m_rmsText);
  form.SetText(ctl::kValue2, m_value2Text);
  form.SetFont(ctl::kUnit2, m_fontLargeGreek);
  form.SetText(ctl::kUnit2, m_unit2Text);
}

// Shows the texts of the extremes again after dB was switched off, then takes the current
// reading into the extremes and their texts.
void CKeloView::TrackExtremes(float& max, float& min, char (&maxText)[10], char (&minText)[10],
                              int maxId, int minId) {
  Form& form = m_platform.form;
  if (m_restoreTexts) {
    form.SetText(maxId, Format("MAX:%s%s%s", m_rmsText, maxText, m_unitText));
    form.SetText(minId, Format("MIN:%s%s%s", m_rmsText, minText, m_unitText));
    m_restoreTexts = 0;
  }
  if (m_value > max) {
    max = m_value;
    form.SetText(maxId, Format("MAX:%s%s%s", m_rmsText, m_valueText, m_unitText));
    CopyField(maxText, m_valueText);
  }
  if (m_value < min) {
    min = m_value;
    form.SetText(minId, Format("MIN:%s%s%s", m_rmsText, m_valueText, m_unitText));
    CopyField(minText, m_valueText);
  }
}

// The dB mode: dBm of voltages and currents, nS of resistances, against m_dbRefKOhm.
// True when the readout's value was rewritten as such a figure.
bool CKeloView::ShowDerivedFigures() {
  Form& form = m_platform.form;
  const bool decibels = IsDecibelFunction(m_function);
  const bool rewritten = decibels || m_function == 'E';
  if (rewritten) {
    const DerivedStyle style = decibels ? DerivedStyle{"%.2f", "dB"} : DerivedStyle{"%.1f", "nS"};
    const double factor = PrefixFactor(m_unitText[0]);
    auto derived = [&](double x) {
      return DerivedValue(m_function, x * factor, m_dbRefKOhm).value_or(0.0);
    };
    double relDerived = 0.0;
    if (m_relOn) {
      // Rounded to a float as m_derivedValue is, so that a reading equal to the reference
      // shows 0.00 and not -0.00.
      relDerived = static_cast<float>(derived(m_relValue));
      form.SetText(ctl::kRelReference, DerivedText("", m_rmsText, relDerived, style));
    }
    if (m_peakHoldOn) {
      form.SetText(ctl::kPeakMax, DerivedText("MAX:", m_rmsText, derived(m_phMax), style));
      form.SetText(ctl::kPeakMin, DerivedText("MIN:", m_rmsText, derived(m_phMin), style));
    } else if (m_minMaxOn) {
      form.SetText(ctl::kMinMaxMax, DerivedText("MAX:", m_rmsText, derived(m_mmMax), style));
      form.SetText(ctl::kMinMaxMin, DerivedText("MIN:", m_rmsText, derived(m_mmMin), style));
      form.SetText(ctl::kMinMaxAvg,
                   DerivedText("AVG:", m_rmsText, derived(m_sampleSum / m_sampleCount), style));
    }
    m_derivedValue = static_cast<float>(
        DerivedValue(m_function, m_reading.scaledValue, m_dbRefKOhm).value_or(0.0));
    const double shown = m_relOn ? m_derivedValue - relDerived : m_derivedValue;
    CopyField(m_readoutText, Format(style.number, shown));
    CopyField(m_unitText, style.unit);
  }
  form.SetText(ctl::kDbReference, Format("%d OHM", m_dbRefOhm));
  return rewritten;
}

void CKeloView::ShowDbReference() {
  if (m_dbOn) {
    m_platform.form.SetText(ctl::kDbReference, Format("%d OHM", m_dbRefOhm));
  }
}

}  // namespace volmograph
