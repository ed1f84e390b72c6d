#pragma once

// Byte streams and a ready driver for the meter-link tests.

#include <cstdint>
#include <memory>
#include <string>

#include "link/CComTR6400.h"
#include "platform/Prompter.h"
#include "platform/ScriptedSerial.h"

namespace volmograph::test {

// A 26-byte frame as the meter sends it: STX, function code, AC marker, value, prefix,
// unit, coupling, second display, CR.
inline std::string Frame(char function, const char* value = " 1.234") {
  std::string frame;
  frame += static_cast<char>(kStx);
  frame += function;
  frame += ' ';
  frame += std::string(value).substr(0, 6);
  frame.resize(9, ' ');
  frame += " VDC  ";
  frame += "  50.0";
  frame += " Hz ";
  frame += '\r';
  return frame;
}

// A bulk transfer: STX, 'Z', then a picture that holds STX bytes of its own, as any binary
// capture may.
inline std::string Bulk(std::size_t length, std::uint8_t seed = 7) {
  std::string bulk(length, '\0');
  std::uint32_t state = seed;
  for (std::size_t i = 0; i < length; ++i) {
    state = state * 1103515245u + 12345u;
    bulk[i] = static_cast<char>(state >> 24);
  }
  bulk[0] = static_cast<char>(kStx);
  bulk[1] = 'Z';
  return bulk;
}

inline std::string Held(const CComTR6400& meter) {
  return std::string(reinterpret_cast<const char*>(meter.m_accum.data()), meter.m_accumLength);
}

inline std::string Capture(const CComTR6400& meter, std::size_t length) {
  return std::string(reinterpret_cast<const char*>(meter.m_capture.data()), length);
}

// A driver opened on COM1 of a scripted line.
struct ScriptedMeter {
  ScriptedSerialConnector connector;
  RecordingPrompter prompter;
  CComTR6400 meter{connector, prompter};
  std::shared_ptr<ScriptedLine> line = connector.Line();

  explicit ScriptedMeter(bool open = true) {
    if (open) {
      meter.Open(1);
    }
  }
};

}  // namespace volmograph::test
