// The meter driver: connection and frame reader.
//
// Line: 9600 baud, 8 data bits, no parity, one stop bit, raw; receive only.
// Stream: 26-byte ASCII frames, STX (0x02) at offset 0 and the function code at offset 1,
// sent back to back. A bulk transfer (waveform capture) of 1000 bytes or more starts with
// STX and 'Z' at offset 1 instead of a function code.
//
// Poll takes whatever is waiting, appends it to the accumulation buffer, aligns on STX and
// cuts at most one frame per call. The countdown m_ticksLeft (decremented by the view on
// every 50 ms tick) decides when a reading is due.

#include "link/CComTR6400.h"

#include <algorithm>
#include <cstring>

namespace volmograph {

namespace {
constexpr char kBulkMarker = 'Z';
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
}  // namespace

CComTR6400::CComTR6400(SerialConnector& connector, Prompter& prompter)
    : m_connector(connector), m_prompter(prompter) {
  // Frames are assigned into this capacity on every tick, so the tick never allocates.
  m_lastFrame.reserve(kFrameLength);
}

CComTR6400::~CComTR6400() {
  Close();
}

std::string CComTR6400::PortName(unsigned portNumber) {
  if (portNumber <= 4) {
    return "COM" + std::to_string(portNumber);
  }
  return "\\\\.\\TELNET";
}

int CComTR6400::Open(std::uint8_t portNumber) {
  // The view never opens a connected driver; should it happen, the old device is let go
  // first rather than held open behind the new one.
  if (m_connected != 0 || m_hComm) {
    CloseConnection();
  }
  m_parity = 0;
  m_stopBits = 0;
  m_portNumber = portNumber;
  m_baudRate = 9600;
  m_byteSize = 8;
  CreateEvents();
  const int result = OpenConnection();
  if (result != 1) {
    m_eventsOpen = false;
  }
  return result;
}

// Nothing waits on events here: reads are only issued for bytes already queued. The call
// keeps the driver's life cycle (events open while connected) visible and testable.
int CComTR6400::CreateEvents() {
  m_eventsOpen = true;
  return 1;
}

int CComTR6400::OpenConnection() {
  const std::string portName = PortName(m_portNumber);
  m_deviceName = portName;
  std::string reason;
  std::unique_ptr<SerialDevice> device = m_connector.OpenPort(portName, reason);
  if (!device) {
    m_connected = 0;
    if (reason.empty()) {
      reason = "Cannot open " + portName;
    }
    m_prompter.ShowMessage("Failed to Open ComPort", reason);
    return 0;
  }
  m_deviceName = device->Name();
  m_bytesReceived = 0;
  m_framesReceived = 0;
  device->Purge();
  m_hComm = std::move(device);
  const int result = SetupConnection();
  if (result != 0) {
    m_connected = 1;
    return result;
  }
  // A device that refuses 9600 8-N-1 is closed, and the user told why Start did nothing.
  m_connected = 0;
  ReleaseDevice();
  m_prompter.ShowMessage(
      "Failed to Open ComPort",
      m_deviceName + " does not take 9600 baud, 8 data bits, no parity, 1 stop bit");
  return 0;
}

int CComTR6400::SetupConnection() {
  if (!m_hComm) {
    return 0;
  }
  return m_hComm->Configure() ? 1 : 0;
}

int CComTR6400::CloseConnection() {
  m_connected = 0;
  if (m_hComm) {
    // Many meter cables draw their power from DTR; dropping it switches the cable off.
    m_hComm->DropDtr();
    m_hComm->Purge();
  }
  ReleaseDevice();
  return 1;
}

int CComTR6400::Close() {
  if (m_connected != 0 || m_hComm) {
    CloseConnection();
  }
  m_eventsOpen = false;
  return 1;
}

void CComTR6400::ReleaseDevice() {
  if (m_hComm) {
    m_hComm->Close();
    m_hComm.reset();
  }
}

int CComTR6400::DeviceGone() {
  CloseConnection();
  return POLL_GONE;
}

// Not connected (never opened, or closed after the device vanished): nothing can arrive,
// so the call reads nothing and answers POLL_NOTHING.
int CComTR6400::Poll() {
  if (m_portIndex < 0) {
    return POLL_NO_PORT;
  }
  if (!m_hComm) {
    return POLL_NOTHING;
  }
  const long got = ReadWaiting();
  if (got == SerialDevice::kGone) {
    return DeviceGone();
  }
  // A transfer already held in full (kept from a backlog, or read behind a frame) is taken
  // even when the meter has gone quiet after sending it.
  if (got <= 0 && !BulkHeld()) {
    return POLL_NOTHING;
  }
  m_bytesReceived += static_cast<std::uint64_t>(std::max(got, 0L));

  // Tested before resynchronising: a capture may hold STX bytes of its own.
  if (BulkHeld()) {
    return TakeBulkTransfer();
  }
  Resynchronise();
  DropCutShortFrames();
  if (BulkHeld()) {
    return POLL_NOTHING;  // a bulk transfer has just begun; the next call collects it
  }
  if (m_accumLength >= kFrameLength) {
    return CutFrame();
  }
  // A frame is still incomplete: the previous one in m_lastFrame is the one recorded, unless
  // it was cut before a pause.
  if (m_lastFrameStale) {
    return POLL_NOTHING;
  }
  MarkDueIfExpired();
  return POLL_DONE;
}

// Appends what the device holds, as much as one read and the buffer's room allow. Returns
// the count appended (0 when nothing was waiting or the read failed) or kGone.
long CComTR6400::ReadWaiting() {
  const long waiting = m_hComm->BytesWaiting();
  if (waiting == SerialDevice::kGone) {
    return SerialDevice::kGone;
  }
  if (waiting <= 0) {
    return 0;
  }
  // Poll itself never leaves the buffer near full (at most a frame, or a bulk transfer
  // under 1000 bytes plus one read). A full buffer without a frame cut can only be noise:
  // drop it and hunt for the next STX in what follows.
  if (m_accumLength >= kAccumSize) {
    m_accumLength = 0;
  }
  const std::size_t want =
      std::min({static_cast<std::size_t>(waiting), kScratchSize, kAccumSize - m_accumLength});
  const long got = m_hComm->Read(m_scratch.data(), want);
  if (got == SerialDevice::kGone) {
    return got;
  }
  if (got <= 0) {
    return 0;  // fewer bytes than announced, or a failed read: nothing appended
  }
  const std::size_t count = std::min(static_cast<std::size_t>(got), want);
  std::memcpy(m_accum.data() + m_accumLength, m_scratch.data(), count);
  m_accumLength += count;
  return static_cast<long>(count);
}

// Frames that waited on the line while nobody polled would be listed with the time of the
// next poll, though the meter showed them long before. Only a frame still arriving is kept,
// and a waveform transfer, which is the user's capture and never stale. The bytes read here
// are not counted: they were not polled for.
int CComTR6400::DropBacklog() {
  constexpr int kMaxReads = 64;  // a full tty buffer takes a few; the meter adds 960 bytes/s
  for (int reads = 0; m_hComm && reads < kMaxReads; ++reads) {
    const long got = ReadWaiting();
    if (got == SerialDevice::kGone) {
      return DeviceGone();
    }
    if (got == 0) {
      break;
    }
    const std::size_t bulk = FindBulkStart(0, m_accumLength);
    if (bulk != kNotFound) {
      DropFront(bulk);
      break;
    }
    const auto* last =
        static_cast<const std::uint8_t*>(memrchr(m_accum.data(), kStx, m_accumLength));
    DropFront(last == nullptr ? m_accumLength : static_cast<std::size_t>(last - m_accum.data()));
  }
  // A frame already complete is stale too: a meter that fell silent during the pause would
  // have it listed whenever it spoke again.
  if (!BulkHeld() && m_accumLength >= kFrameLength) {
    m_accumLength = 0;
  }
  m_lastFrameStale = true;
  return POLL_NOTHING;
}

// A 'Z' after any other first byte is line noise (or a meter at the wrong baud rate), not
// the start of a waveform capture.
bool CComTR6400::BulkHeld() const {
  return m_accumLength >= 2 && m_accum[0] == kStx && m_accum[1] == kBulkMarker;
}

int CComTR6400::TakeBulkTransfer() {
  if (m_accumLength < kBulkThreshold) {
    return POLL_NOTHING;
  }
  // A transfer longer than the capture keeps its first kCaptureSize bytes. The rest of the
  // capture is cleared so that no byte of an earlier, longer capture shows through.
  const std::size_t kept = std::min(m_accumLength, kCaptureSize);
  std::copy_n(m_accum.begin(), kept, m_capture.begin());
  std::fill(m_capture.begin() + static_cast<std::ptrdiff_t>(kept), m_capture.end(), 0);
  m_accumLength = 0;
  m_lastFrame.assign(reinterpret_cast<const char*>(m_capture.data()), kFrameLength);
  m_lastFrameStale = false;
  ++m_framesReceived;
  m_ticksLeft = m_reloadTicks;
  m_sampleDue = 1;
  return POLL_DONE;
}

// Drops everything before the first STX. A bulk transfer that starts before the frame at
// that STX is complete means the meter abandoned the frame: align on the transfer instead,
// so that its first bytes are not cut into a frame and lost.
void CComTR6400::Resynchronise() {
  const void* stx = std::memchr(m_accum.data(), kStx, m_accumLength);
  if (stx == nullptr) {
    m_accumLength = 0;
    return;
  }
  std::size_t start =
      static_cast<std::size_t>(static_cast<const std::uint8_t*>(stx) - m_accum.data());
  const std::size_t bulk = FindBulkStart(start + 1, std::min(m_accumLength, start + kFrameLength));
  if (bulk != kNotFound) {
    start = bulk;
  }
  DropFront(start);
}

// Frames are ASCII text: an STX inside the 26 bytes about to be cut means the frame was
// cut short on the line and the next one starts at that STX. Align on it, so that the
// complete frame is cut rather than the fragment. A bulk start ends the search: its picture
// bytes may hold STX of their own.
void CComTR6400::DropCutShortFrames() {
  while (m_accumLength >= kFrameLength && !BulkHeld()) {
    const void* stx = std::memchr(m_accum.data() + 1, kStx, kFrameLength - 1);
    if (stx == nullptr) {
      return;
    }
    DropFront(static_cast<std::size_t>(static_cast<const std::uint8_t*>(stx) - m_accum.data()));
  }
}

int CComTR6400::CutFrame() {
  m_lastFrame.assign(reinterpret_cast<const char*>(m_accum.data()), kFrameLength);
  m_lastFrameStale = false;
  ++m_framesReceived;
  DropFront(kFrameLength);
  MarkDueIfExpired();
  if (m_accumLength > kFrameLength) {
    // Frames beyond the next one are stale by the time they would be read: drop them.
    // A bulk transfer among them is kept, or the waveform it carries would be lost.
    // A last STX may be a transfer whose 'Z' is still on the line.
    const std::size_t bulk = FindBulkStart(0, m_accumLength);
    if (bulk != kNotFound) {
      DropFront(bulk);
    } else if (m_accum[m_accumLength - 1] == kStx) {
      DropFront(m_accumLength - 1);
    } else {
      m_accumLength = 0;
    }
  }
  return POLL_DONE;
}

void CComTR6400::MarkDueIfExpired() {
  if (m_ticksLeft <= 0) {
    m_sampleDue = 1;
    m_ticksLeft = m_reloadTicks;
  }
}

// First index in [from, to) holding STX followed by 'Z' (the 'Z' may lie beyond `to`).
std::size_t CComTR6400::FindBulkStart(std::size_t from, std::size_t to) const {
  for (std::size_t i = from; i < to && i + 1 < m_accumLength; ++i) {
    if (m_accum[i] == kStx && m_accum[i + 1] == kBulkMarker) {
      return i;
    }
  }
  return kNotFound;
}

void CComTR6400::DropFront(std::size_t count) {
  if (count == 0) {
    return;
  }
  count = std::min(count, m_accumLength);
  std::memmove(m_accum.data(), m_accum.data() + count, m_accumLength - count);
  m_accumLength -= count;
}

}  // namespace volmograph
