#pragma once

// Cuts a raw byte stream from the meter into frames and bulk transfers, the way the frame
// reader does, but taking every frame rather than one per timer tick.
//
// Stream format: a frame is 26 bytes starting with STX (0x02); bytes before an STX are line
// noise and are dropped. An STX followed by 'Z' starts a bulk transfer (a waveform capture),
// which takes at least 1000 bytes whatever they hold; after that it ends at the next STX (or
// at the end of the stream). There is no checksum, but frames are text: a frame with another
// STX among its 26 bytes was cut short on the line, and is dropped as noise for the frame at
// that STX.
//
// The splitter holds at most one unfinished frame plus the bytes of the last Feed, and the
// first 2000 bytes of a bulk transfer (the reader's capture buffer), so a stream of any
// length passes through in bounded memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace volmograph {

struct SplitEvent {
  enum class Kind {
    Frame,         // 26 bytes, STX first
    Bulk,          // a complete bulk transfer of `length` bytes (1000 or more)
    Noise,         // `length` bytes dropped while hunting for STX
    PartialFrame,  // the end of the stream cut a frame short: `length` bytes, STX first
    PartialBulk,   // the end of the stream came before a bulk transfer reached 1000 bytes
  };
  Kind kind = Kind::Frame;
  std::uint64_t offset = 0;  // position of the event's first byte in the stream
  std::uint64_t length = 0;  // bytes the event covers
  // Frame, PartialFrame: the bytes. Bulk, PartialBulk: the first bytes of the capture, at
  // most FrameSplitter::kCaptureLimit. Noise: empty. Valid until the next member call.
  std::string_view bytes;
};

class FrameSplitter {
 public:
  static constexpr char kStx = '\x02';
  static constexpr char kBulkMarker = 'Z';
  static constexpr std::size_t kFrameLength = 26;
  static constexpr std::size_t kBulkMinimum = 1000;
  static constexpr std::size_t kCaptureLimit = 2000;

  // Appends the next bytes of the stream. Drain Next before feeding again.
  void Feed(std::string_view bytes);

  // Marks the end of the stream; Next then also reports what is still held. Feed is ignored
  // afterwards.
  void Finish();

  // Takes the next event; false when more bytes are needed or everything was reported.
  bool Next(SplitEvent& event);

 private:
  enum class State { Hunting, Bulk, Done };

  bool NextInBulk(SplitEvent& event);
  bool NextWhileHunting(SplitEvent& event);
  bool TakeNoise(SplitEvent& event);
  std::uint64_t StreamOffset() const { return m_bufferOffset + m_pos; }

  std::string m_buffer;              // bytes fed and not yet discarded
  std::size_t m_pos = 0;             // first byte of m_buffer not yet taken
  std::uint64_t m_bufferOffset = 0;  // stream position of m_buffer[0]
  State m_state = State::Hunting;
  bool m_finished = false;
  std::uint64_t m_noiseOffset = 0;
  std::uint64_t m_noiseLength = 0;
  std::uint64_t m_bulkOffset = 0;
  std::uint64_t m_bulkLength = 0;
  std::string m_capture;
};

// An event with its own copy of the bytes, for tests and tools that keep events.
struct SplitRecord {
  SplitEvent::Kind kind;
  std::uint64_t offset;
  std::uint64_t length;
  std::string bytes;

  bool operator==(const SplitRecord&) const = default;
};

// Splits a whole stream, fed in pieces of `chunk` bytes (0: all at once).
std::vector<SplitRecord> SplitStream(std::string_view stream, std::size_t chunk = 0);

}  // namespace volmograph
