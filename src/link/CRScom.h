#pragma once

#include <string>

namespace volmograph {

// The user's serial settings. Only the port index and the sampling tick count are used;
// the rest is informational and kept for the shape of the record.
class CRScom {
 public:
  int m_portIndex = 1;  // 0..3 stand for COM1..COM4
  int m_baudRate = 9600;
  std::string m_parity = "n";
  int m_dataBits = 8;
  int m_stopBits = 1;
  std::string m_spare1;
  std::string m_spare2;
  int m_samplingTicks = 0;  // sampling interval in 50 ms view-timer ticks
};

}  // namespace volmograph
