#include "decode/DecodeListing.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "decode/ReadingDecoder.h"
#include "platform/TextEncoding.h"

namespace volmograph {
namespace {

constexpr float kListingRefKOhm = 600 * 0.001f;  // the default dB reference, 600 ohm

// Code page 1253 as the display fonts show it; a tab, which the conversion keeps, would
// break the columns, so it gets its control picture too.
std::string Visible(std::string_view bytes) {
  std::string out;
  for (const char c : Cp1253ToUtf8(bytes)) {
    if (c == '\t') {
      out += "\u2409";
    } else {
      out += c;
    }
  }
  return out;
}

// Joins texts by appending; building lines from the left also keeps GCC 12's -Wrestrict
// false positive on `"literal" + std::string` away.
template <typename... Parts>
std::string Cat(const Parts&... parts) {
  std::string out;
  (out.append(std::string_view(parts)), ...);
  return out;
}

std::string Quoted(std::string_view bytes) {
  return Cat("\"", Visible(bytes), "\"");
}

std::string PadLeft(std::string text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string PadRight(std::string text, std::size_t width) {
  return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

template <typename... Format>
std::string ToChars(double value, Format... format) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
  return std::string(buffer, result.ptr);
}

std::string ShortestFloat(float value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Hex(unsigned char byte) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "0x%02X", byte);
  return buffer;
}

std::string Prefix(std::uint64_t offset, const char* kind) {
  return Cat(PadLeft(std::to_string(offset), 10), "  ", PadRight(kind, 7), "  ");
}

std::string RawFrame(std::string_view bytes) {
  return Cat("|", Visible(bytes), "|");
}

std::string Derived(const Reading& r) {
  const std::optional<double> d = DerivedValue(r.function, r.scaledValue, kListingRefKOhm);
  if (!d) {
    return "-";
  }
  if (r.function == 'E') {
    return Cat("nS ", ToChars(*d, std::chars_format::fixed, 1));
  }
  return Cat("dB ", ToChars(*d, std::chars_format::fixed, 2));
}

std::string DescribeFrame(const SplitEvent& event) {
  const std::string_view frame = event.bytes;
  const char code = frame.size() > 1 ? frame[1] : ' ';
  Reading r;
  if (AcceptFrame(frame, r) == FrameVerdict::RejectedValue) {
    const int bad = InvalidValueOffset(frame);
    const unsigned char byte = static_cast<unsigned char>(frame[static_cast<std::size_t>(bad)]);
    return Cat(Prefix(event.offset, "reject"), Visible({&code, 1}), "  ", Quoted({r.valueText, 6}),
               "  byte ", Hex(byte), " at offset ", std::to_string(bad),
               " is not a value character  ", RawFrame(frame));
  }
  if (InterpretReading(code, r) == InterpretResult::UnknownFunction) {
    return Cat(Prefix(event.offset, "unknown"), Visible({&code, 1}), "  ", Quoted({r.valueText, 6}),
               "  unknown function code ", Hex(static_cast<unsigned char>(code)), "  ",
               RawFrame(frame));
  }
  const char function[2] = {r.function, '\0'};
  return Cat(Prefix(event.offset, "frame"), function, "  ", Quoted({r.label, 20}), "  ",
             Quoted({r.valueText, 6}), "  ", PadLeft(ShortestFloat(r.value), 9), "  ",
             PadLeft(ToChars(r.scaledValue, std::chars_format::general, 7), 12), "  ",
             Quoted({r.unitText, 4}), "  ", Quoted({r.rmsText, 3}), "  ", Quoted({r.rms2Text, 3}),
             " ", Quoted({r.value2Text, 6}), " ", Quoted({r.unit2Text, 4}), "  ",
             std::to_string(r.decimals), "  ", PadRight(r.over ? "OVER" : "-", 4), "  ",
             PadRight(Derived(r), 12), "  ", RawFrame(frame));
}

}  // namespace

std::string DecodeListingHeader() {
  // The same widths as the frame lines, so the titles stand over their columns.
  return Cat("#", PadLeft("offset", 9), "  ", PadRight("kind", 7), "  f  ", PadRight("label", 22),
             "  ", PadRight("value", 8), "  ", PadLeft("number", 9), "  ", PadLeft("scaled", 12),
             "  ", PadRight("unit", 6), "  ", PadRight("rms", 5), "  ", PadRight("second", 21),
             "  d  over  ", PadRight("derived", 12), "  raw frame");
}

std::string DescribeSplitEvent(const SplitEvent& event) {
  const std::string count = std::to_string(event.length);
  switch (event.kind) {
    case SplitEvent::Kind::Frame:
      return DescribeFrame(event);
    case SplitEvent::Kind::Bulk:
      return Cat(Prefix(event.offset, "bulk"), "bulk transfer of ", count, " bytes");
    case SplitEvent::Kind::Noise:
      return Cat(Prefix(event.offset, "noise"), count, " bytes before STX dropped");
    case SplitEvent::Kind::PartialFrame:
      return Cat(Prefix(event.offset, "partial"), "frame cut short after ", count,
                 " bytes at end of input  ", RawFrame(event.bytes));
    case SplitEvent::Kind::PartialBulk:
      return Cat(Prefix(event.offset, "partial"), "bulk transfer cut short after ", count,
                 " bytes at end of input");
  }
  return {};
}

}  // namespace volmograph
