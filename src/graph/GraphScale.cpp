#include "graph/GraphScale.h"

#include <cmath>

#include "decode/ReadingDecoder.h"

namespace volmograph {

namespace {

constexpr double kStepPerUnit = 0.007751937984496124;  // the double nearest to 1 / 129
constexpr int kBipolarBaseline = 71;
constexpr int kBipolarZeroRow = 62;

enum class ScaleKind { Unipolar, Bipolar, Diode, Amps20Ac, Amps20Dc, Rpm };

// Whether the line holds `text` from `position` on (blanks past its end).
bool Has(std::string_view line, std::size_t position, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (LineChar(line, position + i) != text[i]) {
      return false;
    }
  }
  return true;
}

// The first matching test decides; the order matters ("mV" before "mA", "DIO" after "nS ").
ScaleKind KindOf(std::string_view line) {
  const bool milliVolts = Has(line, 41, "mV");
  const bool milliAmps = Has(line, 41, "mA");
  const bool twentyAmps = Has(line, 41, "20");
  if (Has(line, 41, "ACV"))
    return ScaleKind::Unipolar;
  if (Has(line, 41, "DCV"))
    return ScaleKind::Bipolar;
  if (milliVolts && Has(line, 45, "A"))
    return ScaleKind::Unipolar;
  if (milliVolts && Has(line, 45, "D"))
    return ScaleKind::Bipolar;
  if (Has(line, 41, "OHM"))
    return ScaleKind::Unipolar;
  if (Has(line, 41, "nS "))
    return ScaleKind::Unipolar;
  if (Has(line, 44, "DIO"))
    return ScaleKind::Diode;
  if (Has(line, 41, "CAP"))
    return ScaleKind::Unipolar;
  if (milliAmps && Has(line, 50, "A"))
    return ScaleKind::Unipolar;
  if (milliAmps && Has(line, 50, "D"))
    return ScaleKind::Bipolar;
  if (twentyAmps && Has(line, 46, "A"))
    return ScaleKind::Amps20Ac;
  if (twentyAmps && Has(line, 46, "D"))
    return ScaleKind::Amps20Dc;
  if (Has(line, 41, "RPM"))
    return ScaleKind::Rpm;
  if (Has(line, 41, "SIG"))
    return ScaleKind::Unipolar;
  return ScaleKind::Bipolar;
}

// The meter's 4000-count range, from where the raw value has its decimal point.
GraphScale RangeScale(std::string_view line) {
  GraphScale scale;
  if (LineChar(line, 63) == '.') {
    scale = {.top = 4, .topLabel = "4.000", .topLabelX = 7, .bottomLabel = "-4.000"};
  } else if (LineChar(line, 64) == '.') {
    scale = {.top = 40, .topLabel = "40.00", .topLabelX = 7, .bottomLabel = "-40.00"};
  } else if (LineChar(line, 65) == '.') {
    scale = {.top = 400, .topLabel = "400.0", .topLabelX = 7, .bottomLabel = "-400.0"};
  } else {
    scale = {.top = 4000, .topLabel = "4000", .topLabelX = 12, .bottomLabel = "-4000"};
  }
  scale.bottomLabelX = scale.topLabelX - 5;
  return scale;
}

GraphScale MakeBipolar(GraphScale scale) {
  scale.bottom = -scale.top;
  scale.baseline = kBipolarBaseline;
  scale.zeroLabelRow = kBipolarZeroRow;
  return scale;
}

GraphScale MakeUnipolar(GraphScale scale) {
  scale.bottom = 0;
  scale.bottomLabel.reset();
  return scale;
}

}  // namespace

char LineChar(std::string_view line, std::size_t position) {
  return position < line.size() ? line[position] : ' ';
}

GraphScale SelectGraphScale(std::string_view line) {
  switch (KindOf(line)) {
    case ScaleKind::Unipolar:
      return MakeUnipolar(RangeScale(line));
    case ScaleKind::Bipolar:
      return MakeBipolar(RangeScale(line));
    case ScaleKind::Diode: {
      // Always -4..4 V, whatever the range; the plotting may widen it to the data.
      GraphScale scale = MakeBipolar({.top = 4,
                                      .topLabel = "4.000",
                                      .topLabelX = 7,
                                      .bottomLabel = "-4.000",
                                      .bottomLabelX = 2});
      scale.unitReplacement = "Vdc ";
      scale.diode = true;
      return scale;
    }
    case ScaleKind::Amps20Ac:
      return {.top = 20, .topLabel = "20.00", .topLabelX = 7};
    case ScaleKind::Amps20Dc:
      return MakeBipolar({.top = 20,
                          .topLabel = "20.00",
                          .topLabelX = 7,
                          .bottomLabel = "-20.00",
                          .bottomLabelX = 2});
    case ScaleKind::Rpm:
      return {.top = 12000, .topLabel = "12000", .topLabelX = 7};
  }
  return MakeBipolar(RangeScale(line));
}

float ReadValueField(std::string_view line, std::size_t position) {
  char field[6];
  for (std::size_t i = 0; i < sizeof field; ++i) {
    field[i] = LineChar(line, position + i);
  }
  return static_cast<float>(ParseDecimal(std::string_view(field, sizeof field)));
}

std::array<char, kAxisTitleSize> AxisTitle(std::string_view line, const GraphScale& scale) {
  std::array<char, kAxisTitleSize> title{};
  for (std::size_t i = 0; i < 3; ++i) {
    title[i] = LineChar(line, kLabelField.first + i);
  }
  title[3] = '[';
  for (std::size_t i = 0; i < 4; ++i) {
    title[4 + i] =
        scale.unitReplacement ? (*scale.unitReplacement)[i] : LineChar(line, kUnitField.first + i);
  }
  title[8] = ']';
  return title;
}

double ScaleStep(float top, float bottom) {
  return static_cast<double>(top - bottom) * kStepPerUnit;
}

int BandHeight(float value, float bottom, double step, int maxHeight) {
  const double height = static_cast<double>(value - bottom) / step;
  // Clamped before the conversion: a far-off value must not overflow the int.
  if (!(height > 0.0)) {
    return 0;
  }
  if (height >= maxHeight) {
    return maxHeight;
  }
  return static_cast<int>(height);
}

int PlotHeight(float value, float bottom, double step) {
  return BandHeight(value, bottom, step, kGraphMaxHeight);
}

int PlotRow(float value, float bottom, double step) {
  return kGraphAxisRow - PlotHeight(value, bottom, step);
}

int SampleColumn(int sample) {
  return 45 - static_cast<int>(std::trunc(sample * -0.8));
}

}  // namespace volmograph
