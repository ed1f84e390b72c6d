#include "decode/SampleLine.h"

#include <cstring>

#include "decode/ReadingDecoder.h"

namespace volmograph {

namespace {

// Appends exactly `width` characters of a field: its text up to its terminator, then blanks.
char* PutField(char* out, const char* text, std::size_t width) {
  std::size_t i = 0;
  for (; i < width && text[i] != '\0'; ++i) {
    out[i] = text[i];
  }
  for (; i < width; ++i) {
    out[i] = ' ';
  }
  return out + width;
}

// Two digits of a clock field; out-of-range values are clamped so the time stays 8 wide.
char* PutTwoDigits(char* out, int value) {
  value = value < 0 ? 0 : (value > 99 ? 99 : value);
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
  return out + 2;
}

}  // namespace

void BuildSampleLine(const LocalTime& time, const Reading& reading,
                     char (&line)[kSampleLineLength + 1]) {
  char* out = line;
  *out++ = ' ';
  // Always HH:MM:SS on the 24-hour clock, whatever the locale: the columns are read back.
  out = PutTwoDigits(out, time.hour);
  *out++ = ':';
  out = PutTwoDigits(out, time.minute);
  *out++ = ':';
  out = PutTwoDigits(out, time.second);
  out = PutField(out, "  ", 2);
  out = PutField(out, reading.rmsText, 3);
  *out++ = ' ';
  out = PutField(out, reading.over ? " OVER " : reading.valueText, 6);
  out = PutField(out, reading.unitText, 4);
  *out++ = ' ';
  out = PutField(out, reading.rms2Text, 3);
  *out++ = ' ';
  out = PutField(out, reading.value2Text, 6);
  out = PutField(out, reading.unit2Text, 4);
  *out++ = ' ';
  out = PutField(out, reading.label, 20);
  out = PutField(out, reading.valueText, 6);
  *out = '\0';
  for (std::size_t i = 0; i < kSampleLineLength; ++i) {
    if (line[i] == 'u') {
      line[i] = kMicroSign;
    }
  }
}

}  // namespace volmograph
