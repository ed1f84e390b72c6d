// Arbitrary bytes through the decoder and the frame splitter. Checks that every text stays
// NUL-terminated at its width with no NUL inside, that decimals stay 0..5, and that the
// splitter accounts for every byte it was given, whatever the chunking.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "decode/DecimalText.h"
#include "decode/FrameSplitter.h"
#include "decode/ReadingDecoder.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

template <std::size_t N>
void CheckText(const char (&field)[N]) {
  Check(field[N - 1] == '\0');
  Check(std::memchr(field, '\0', N - 1) == nullptr);
}

void CheckDecoder(std::string_view frame) {
  volmograph::Reading reading;
  if (volmograph::AcceptFrame(frame, reading) == volmograph::FrameVerdict::RejectedValue) {
    Check(volmograph::InvalidValueOffset(frame) >= 3);
    CheckText(reading.rmsText);
    CheckText(reading.valueText);
    return;
  }
  Check(volmograph::InvalidValueOffset(frame) == -1);
  const char code = frame.size() > 1 ? frame[1] : ' ';
  const auto result = volmograph::InterpretReading(code, reading);
  CheckText(reading.valueText);
  CheckText(reading.unitText);
  CheckText(reading.rmsText);
  CheckText(reading.value2Text);
  CheckText(reading.unit2Text);
  CheckText(reading.rms2Text);
  if (result == volmograph::InterpretResult::Done) {
    Check(reading.function >= 'A' && reading.function <= 'T');
    CheckText(reading.label);
    Check(std::strlen(reading.label) == 20);
    Check(reading.decimals >= 0 && reading.decimals <= 5);
    if (reading.function == 'M') {
      Check(!reading.over);
    }
    const auto derived = volmograph::DerivedValue(reading.function, reading.scaledValue, 0.6f);
    if (derived) {
      Check(*derived == *derived);  // never NaN
    }
  }
  // The exact comparison and the parsed number agree on the sign.
  const double value = volmograph::ParseDecimal(std::string_view(reading.valueText, 6));
  const int sign = volmograph::CompareDecimal(std::string_view(reading.valueText, 6), "0");
  Check((value > 0) == (sign > 0) && (value < 0) == (sign < 0));
}

void CheckSplitter(std::string_view bytes) {
  const auto whole = volmograph::SplitStream(bytes);
  std::uint64_t covered = 0;
  for (const auto& record : whole) {
    Check(record.offset >= covered);  // in order, never overlapping
    covered = record.offset + record.length;
    if (record.kind == volmograph::SplitEvent::Kind::Frame) {
      Check(record.length == 26 && record.bytes.size() == 26 && record.bytes[0] == '\x02');
      CheckDecoder(record.bytes);
    }
  }
  Check(covered == bytes.size());
  Check(volmograph::SplitStream(bytes, 1) == whole);
  Check(volmograph::SplitStream(bytes, 5) == whole);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 64) {
    return -1;  // frames and their surroundings; longer inputs add nothing
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckDecoder(bytes);
  CheckSplitter(bytes);
  return 0;
}
