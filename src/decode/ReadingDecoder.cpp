// Reading decoder: the 26 characters of a meter frame into a Reading.
//
// Frame (offsets): 0 STX; 1 function code 'A'..'T'; 2 AC marker ('A' rms, 'a' rms for both
// displays); 3..8 main value text (blank, '+', '-', '.', digits only); 9 prefix ('K', 'M',
// 'm', 'n', 'u', else none); 10 unit; 11..12 coupling ('A' or 'D' at 11); 13 unused; 14 AC
// marker of the second display ('A'); 15..20 second value text (not validated); 21..24
// second unit (prefix, unit, rest); 25 unused. Texts are code page 1252 bytes.
//
// A NUL byte inside a frame: in the main value text it is just another invalid character,
// so the frame is rejected; everywhere else it is replaced by a blank while the texts are
// cut, so the fixed-width fields keep their width and stay printable.

#include "decode/ReadingDecoder.h"

#include <array>
#include <cmath>
#include <cstring>

#include "decode/DecimalText.h"

namespace volmograph {
namespace {

constexpr std::size_t kFrameLength = 26;

enum class SecondDisplay { Frequency, KeptIfHz, Blank, Pressure, Temperature, Diode, AsReceived };

struct FunctionInfo {
  char code;
  const char* label;  // exactly 20 characters
  SecondDisplay second;
  bool coupling;    // 'A'/'D' at unitText[2] become "ac"/"dc"
  bool lowerKilo2;  // a 'K' prefix of the second display becomes 'k'
};

constexpr std::array<FunctionInfo, 20> kFunctions = {{
    {'A', "ACV                 ", SecondDisplay::Frequency, true, true},
    {'B', "DCV                 ", SecondDisplay::KeptIfHz, true, true},
    {'C', "mV [AC]/HI-Z        ", SecondDisplay::Frequency, true, true},
    {'D', "mV [DC]/HI-Z        ", SecondDisplay::KeptIfHz, true, true},
    {'E', "OHM                 ", SecondDisplay::Blank, false, true},
    {'F', "nS                  ", SecondDisplay::Blank, false, true},
    {'G', " V DIODE            ", SecondDisplay::Diode, false, false},
    {'H', "CAPACITANCE         ", SecondDisplay::Blank, false, false},
    {'I', "mA / uA [AC]        ", SecondDisplay::Frequency, true, true},
    {'J', "mA / uA [DC]        ", SecondDisplay::KeptIfHz, true, true},
    {'K', "20A [AC]            ", SecondDisplay::Frequency, true, true},
    {'L', "20A [DC]            ", SecondDisplay::KeptIfHz, true, true},
    {'M', "RPM                 ", SecondDisplay::Blank, false, false},
    {'N', "SIGNAL OUT          ", SecondDisplay::Blank, false, false},
    {'O', "TEMPERATURE / AUX   ", SecondDisplay::Temperature, false, false},
    {'P', "HUMIDITY[REL]/ AUX  ", SecondDisplay::Blank, false, false},
    {'Q', "PRESSURE / AUX      ", SecondDisplay::Pressure, false, false},
    {'R', " A [CURRENT] / AUX  ", SecondDisplay::KeptIfHz, false, true},
    {'S', "SETUP / INSTALL     ", SecondDisplay::AsReceived, false, false},
    {'T', "SELF TEST / INSTALL ", SecondDisplay::AsReceived, false, false},
}};

constexpr bool LabelsAreTwentyCharacters() {
  for (const FunctionInfo& f : kFunctions) {
    if (std::char_traits<char>::length(f.label) != 20) {
      return false;
    }
  }
  return true;
}
static_assert(LabelsAreTwentyCharacters());

const FunctionInfo* FindFunction(char code) {
  if (code < 'A' || code > 'T') {
    return nullptr;
  }
  return &kFunctions[static_cast<std::size_t>(code - 'A')];
}

char FrameByte(std::string_view frame, std::size_t offset) {
  return offset < frame.size() && offset < kFrameLength ? frame[offset] : ' ';
}

// Copies `width` frame bytes from `offset` into a NUL-terminated field; NUL becomes a blank.
template <std::size_t N>
void CutText(std::string_view frame, std::size_t offset, char (&field)[N]) {
  for (std::size_t i = 0; i + 1 < N; ++i) {
    const char c = FrameByte(frame, offset + i);
    field[i] = c == '\0' ? ' ' : c;
  }
  field[N - 1] = '\0';
}

template <std::size_t N>
void SetText(char (&field)[N], const char (&text)[N]) {
  std::memcpy(field, text, N);
}

bool IsValueCharacter(char c) {
  return c == ' ' || c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

void BlankSecondDisplay(Reading& r) {
  SetText(r.rms2Text, "   ");
  SetText(r.value2Text, "      ");
  SetText(r.unit2Text, "    ");
}

void ResetSecondDisplay(Reading& r, const char (&unit)[5]) {
  SetText(r.rms2Text, "   ");
  SetText(r.value2Text, "     0");
  SetText(r.unit2Text, unit);
}

// The diode state for the second display's voltage, decided on the exact text; every bound
// belongs to the lower row.
const char* DiodeState(std::string_view voltage) {
  if (CompareDecimal(voltage, "0") < 0) {
    return "   UNK";
  }
  if (CompareDecimal(voltage, "0.05") <= 0) {
    return " SHORT";
  }
  if (CompareDecimal(voltage, "1.5") <= 0) {
    return "  FORW";
  }
  if (CompareDecimal(voltage, "3.0") <= 0) {
    return "   REV";
  }
  if (CompareDecimal(voltage, "4.0") <= 0) {
    return "   UNK";
  }
  return "  OPEN";
}

void ApplyTemperatureRule(Reading& r) {
  r.unitText[0] = kDegreeSign;
  r.unit2Text[0] = kDegreeSign;
  if (r.unitText[1] == 'C') {
    r.unit2Text[1] = 'F';
  } else if (r.unitText[1] == 'F') {
    r.unit2Text[1] = 'C';
  } else {
    r.unitText[1] = ' ';
  }
  r.unit2Text[2] = ' ';
  r.unit2Text[3] = ' ';
}

void ApplySecondDisplayRule(SecondDisplay rule, Reading& r) {
  switch (rule) {
    case SecondDisplay::Frequency:
      if (r.unit2Text[1] != 'H') {
        ResetSecondDisplay(r, " Hz ");
      }
      break;
    case SecondDisplay::KeptIfHz:
      if (r.unit2Text[1] != 'H') {
        BlankSecondDisplay(r);
      }
      break;
    case SecondDisplay::Blank:
      BlankSecondDisplay(r);
      break;
    case SecondDisplay::Pressure:
      if (r.unit2Text[1] != 'P') {
        ResetSecondDisplay(r, " Pa ");
      }
      break;
    case SecondDisplay::Temperature:
      ApplyTemperatureRule(r);
      break;
    case SecondDisplay::Diode:
      std::memcpy(r.valueText, DiodeState(std::string_view(r.value2Text, 6)), 6);
      SetText(r.unitText, "    ");
      SetText(r.unit2Text, "Vdc ");
      break;
    case SecondDisplay::AsReceived:
      break;
  }
}

std::optional<double> FiniteOrNone(double v) {
  return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

int InvalidValueOffset(std::string_view frame) {
  for (std::size_t offset = 3; offset < 9; ++offset) {
    if (!IsValueCharacter(FrameByte(frame, offset))) {
      return static_cast<int>(offset);
    }
  }
  return -1;
}

FrameVerdict AcceptFrame(std::string_view frame, Reading& reading) {
  const char marker = FrameByte(frame, 2);
  SetText(reading.rmsText, marker == 'A' || marker == 'a' ? "rms" : "   ");
  CutText(frame, 3, reading.valueText);
  if (InvalidValueOffset(frame) >= 0) {
    return FrameVerdict::RejectedValue;
  }
  CutText(frame, 9, reading.unitText);
  const bool rms2 = FrameByte(frame, 14) == 'A' || marker == 'a';
  SetText(reading.rms2Text, rms2 ? "rms" : "   ");
  CutText(frame, 15, reading.value2Text);
  CutText(frame, 21, reading.unit2Text);
  return FrameVerdict::Accepted;
}

InterpretResult InterpretReading(char functionCode, Reading& reading) {
  reading.value = static_cast<float>(ParseDecimal(std::string_view(reading.valueText, 6)));
  reading.value2 = static_cast<float>(ParseDecimal(std::string_view(reading.value2Text, 6)));
  // Scaled from the float, as every stored value of the reading is, so REL and dB
  // differences between equal readings come out exactly zero.
  reading.scaledValue = static_cast<double>(reading.value) * PrefixFactor(reading.unitText[0]);
  if (reading.unitText[0] == 'K') {
    reading.unitText[0] = 'k';
  } else if (reading.unitText[0] == 'u') {
    reading.unitText[0] = kMicroSign;
  }

  reading.function = functionCode;
  if (functionCode == 'B' && reading.unitText[0] == 'm') {
    reading.function = 'C';
  }
  const FunctionInfo* info = FindFunction(reading.function);
  if (info == nullptr) {
    return InterpretResult::UnknownFunction;
  }
  std::memcpy(reading.label, info->label, sizeof reading.label);
  ApplySecondDisplayRule(info->second, reading);
  if (info->coupling) {
    if (reading.unitText[2] == 'D') {
      reading.unitText[2] = 'd';
      reading.unitText[3] = 'c';
    } else if (reading.unitText[2] == 'A') {
      reading.unitText[2] = 'a';
      reading.unitText[3] = 'c';
    }
  }
  if (info->lowerKilo2 && reading.unit2Text[0] == 'K') {
    reading.unit2Text[0] = 'k';
  }

  const std::string_view valueText(reading.valueText, 6);
  reading.decimals = CountDecimals(valueText);
  reading.over = IsOverRange(reading.function, valueText, reading.decimals);
  return InterpretResult::Done;
}

double PrefixFactor(char prefix) {
  switch (prefix) {
    case 'K':
    case 'k':
      return 1000.0;
    case 'M':
      return 1000000.0;
    case 'm':
      return 0.001;
    case 'n':
      return 0.000000001;
    case 'u':
    case kMicroSign:
      return 0.000001;
    default:
      return 1.0;
  }
}

int CountDecimals(std::string_view valueText) {
  for (int position = 4; position >= 0; --position) {
    if (static_cast<std::size_t>(position) < valueText.size() && valueText[position] == '.') {
      return 5 - position;
    }
  }
  return 0;
}

bool IsOverRange(char function, std::string_view valueText, int decimals) {
  if (function == 'M' || CompareDecimal(valueText, "0") < 0) {
    return false;
  }
  switch (decimals) {
    case 0:
      return CompareDecimal(valueText, "3999") >= 0;
    case 1:
      return CompareDecimal(valueText, "399.9") >= 0;
    case 2:
      return CompareDecimal(valueText, "39.99") >= 0;
    case 3:
      return CompareDecimal(valueText, "3.999") >= 0;
    case 4:
    case 5:
      // A digit test rather than a number: compared as a signed byte, so bytes 0x80 and
      // above count as lower than '4'. With four decimals character 1 is the point itself.
      return valueText.size() > 1 && static_cast<signed char>(valueText[1]) >= '4';
    default:
      return false;
  }
}

std::optional<double> DerivedValue(char function, double x, float refKOhm) {
  const double zk = refKOhm;
  if (!std::isfinite(x)) {
    return std::nullopt;
  }
  switch (function) {
    case 'A':
    case 'B':
    case 'C':
    case 'D':
      if (!(zk > 0.0) || !std::isfinite(zk)) {
        return std::nullopt;  // no dBm against a missing or negative impedance
      }
      return x == 0.0 ? 0.0 : FiniteOrNone(10.0 * std::log10(x * x / zk));
    case 'K':
    case 'L':
      if (!(zk > 0.0) || !std::isfinite(zk)) {
        return std::nullopt;
      }
      return x == 0.0 ? 0.0 : FiniteOrNone(10.0 * std::log10(zk * (1000.0 * x) * (1000.0 * x)));
    case 'E':
      return x >= 1000000.0 ? 1e9 / x : 0.0;
    default:
      return std::nullopt;
  }
}

}  // namespace volmograph
