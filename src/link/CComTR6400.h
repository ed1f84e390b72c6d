#pragma once

// The meter driver: the serial connection and the frame reader.
//
// Line: 9600 baud, 8 data bits, no parity, one stop bit, raw; the meter only talks.
// Frames: 26 bytes, STX (0x02) first, function code at offset 1. A bulk transfer
// (a waveform capture of 1000 bytes or more) starts with STX and 'Z'.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/Prompter.h"
#include "platform/SerialDevice.h"

namespace volmograph {

// Results of Poll.
inline constexpr int POLL_NO_PORT = -99999;  // no port chosen; nothing was read
inline constexpr int POLL_NOTHING = -88888;  // no byte waiting, or a bulk transfer is arriving
inline constexpr int POLL_DONE = -11111;     // bytes taken in; see m_lastFrame and m_sampleDue
// The device went away (adapter unplugged, line hung up). The connection is closed
// when Poll returns this; the run must end.
inline constexpr int POLL_GONE = -77777;

inline constexpr std::size_t kFrameLength = 26;
inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::size_t kBulkThreshold = 1000;

class CComTR6400 {
 public:
  static constexpr std::size_t kScratchSize = 2048;
  static constexpr std::size_t kAccumSize = 4000;
  static constexpr std::size_t kCaptureSize = 2000;

  CComTR6400(SerialConnector& connector, Prompter& prompter);
  ~CComTR6400();
  CComTR6400(const CComTR6400&) = delete;
  CComTR6400& operator=(const CComTR6400&) = delete;

  // Connection (1-based port number; 5 and above name the serial server "\\.\TELNET").
  int Open(std::uint8_t portNumber);
  int CreateEvents();
  int OpenConnection();
  int SetupConnection();
  int CloseConnection();
  int Close();

  // Frame reader: one call per view-timer tick while the connection is open. Returns
  // POLL_NO_PORT, POLL_NOTHING, POLL_DONE or POLL_GONE (the connection is then closed);
  // on a driver that is not connected it reads nothing and returns POLL_NOTHING.
  // A read never exceeds the scratch buffer nor the room left in m_accum; a bulk transfer
  // longer than m_capture keeps its first kCaptureSize bytes and the rest of m_capture is
  // zeroed; a bulk start (STX 'Z') is never cut into a frame nor discarded with stale frames;
  // a frame with an STX among its 26 bytes was cut short and is dropped for the one at that STX.
  int Poll();

  // Reads away what waited on the line while polling was paused, keeping a frame still
  // arriving and a bulk transfer; until a frame is cut, Poll offers no reading. Returns
  // POLL_GONE (the connection is then closed) or POLL_NOTHING.
  int DropBacklog();

  // The buffer holds the start of a bulk transfer still on its way.
  bool BulkHeld() const;

  // The device name Open would use for a 1-based port number.
  static std::string PortName(unsigned portNumber);

  // Connection fields.
  std::unique_ptr<SerialDevice> m_hComm;
  int m_connected = 0;
  std::uint8_t m_portNumber = 0;
  std::uint8_t m_byteSize = 8;
  std::uint8_t m_parity = 0;
  std::uint8_t m_stopBits = 0;
  std::uint32_t m_baudRate = 9600;
  // Name of the device last opened, for messages about it.
  std::string m_deviceName;
  // Since the device was opened: bytes read, and frames or transfers cut from them. Bytes
  // without frames tell of a meter at another speed, or of another device on the port.
  std::uint64_t m_bytesReceived = 0;
  std::uint64_t m_framesReceived = 0;

  // Reader fields.
  int m_portIndex = 1;
  std::string m_lastFrame;
  std::array<std::uint8_t, kCaptureSize> m_capture{};
  int m_sampleDue = 0;
  int m_reloadTicks = 16;
  int m_ticksLeft = 0;

  // Each driver owns its accumulation buffer, so two views reading two meters
  // never mix their byte streams.
  std::array<std::uint8_t, kAccumSize> m_accum{};
  std::size_t m_accumLength = 0;

 private:
  long ReadWaiting();
  int TakeBulkTransfer();
  int CutFrame();
  void Resynchronise();
  void DropCutShortFrames();
  void MarkDueIfExpired();
  std::size_t FindBulkStart(std::size_t from, std::size_t to) const;
  void DropFront(std::size_t count);
  int DeviceGone();
  void ReleaseDevice();

  // m_lastFrame was cut before a pause: it is not to be recorded again.
  bool m_lastFrameStale = false;
  SerialConnector& m_connector;
  Prompter& m_prompter;
  std::array<std::uint8_t, kScratchSize> m_scratch{};
  bool m_eventsOpen = false;
};

}  // namespace volmograph
