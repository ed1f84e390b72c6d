#include "decode/FrameSplitter.h"

#include <algorithm>

namespace volmograph {

void FrameSplitter::Feed(std::string_view bytes) {
  if (m_finished) {
    return;
  }
  m_buffer.erase(0, m_pos);
  m_bufferOffset += m_pos;
  m_pos = 0;
  m_buffer.append(bytes);
}

void FrameSplitter::Finish() {
  m_finished = true;
}

bool FrameSplitter::Next(SplitEvent& event) {
  switch (m_state) {
    case State::Bulk:
      return NextInBulk(event);
    case State::Hunting:
      return NextWhileHunting(event);
    case State::Done:
      break;
  }
  return false;
}

bool FrameSplitter::NextInBulk(SplitEvent& event) {
  while (m_pos < m_buffer.size()) {
    if (m_bulkLength >= kBulkMinimum && m_buffer[m_pos] == kStx) {
      m_state = State::Hunting;
      event = {SplitEvent::Kind::Bulk, m_bulkOffset, m_bulkLength, m_capture};
      return true;
    }
    std::size_t take = m_buffer.size() - m_pos;
    if (m_bulkLength < kBulkMinimum) {
      take = std::min<std::size_t>(take, kBulkMinimum - m_bulkLength);
    } else {
      const std::size_t stx = m_buffer.find(kStx, m_pos);
      take = (stx == std::string::npos ? m_buffer.size() : stx) - m_pos;
    }
    const std::size_t room = kCaptureLimit - std::min(kCaptureLimit, m_capture.size());
    m_capture.append(m_buffer, m_pos, std::min(take, room));
    m_pos += take;
    m_bulkLength += take;
  }
  if (!m_finished) {
    return false;
  }
  m_state = State::Done;
  const auto kind =
      m_bulkLength >= kBulkMinimum ? SplitEvent::Kind::Bulk : SplitEvent::Kind::PartialBulk;
  event = {kind, m_bulkOffset, m_bulkLength, m_capture};
  return true;
}

bool FrameSplitter::TakeNoise(SplitEvent& event) {
  if (m_noiseLength == 0) {
    return false;
  }
  event = {SplitEvent::Kind::Noise, m_noiseOffset, m_noiseLength, {}};
  m_noiseLength = 0;
  return true;
}

bool FrameSplitter::NextWhileHunting(SplitEvent& event) {
  const std::size_t stx = m_buffer.find(kStx, m_pos);
  const std::size_t end = stx == std::string::npos ? m_buffer.size() : stx;
  if (end > m_pos) {
    if (m_noiseLength == 0) {
      m_noiseOffset = StreamOffset();
    }
    m_noiseLength += end - m_pos;
    m_pos = end;
  }
  if (stx == std::string::npos) {
    if (!m_finished) {
      return false;
    }
    m_state = State::Done;
    return TakeNoise(event);
  }
  if (TakeNoise(event)) {
    return true;  // the noise is reported before what follows it
  }
  const std::size_t held = m_buffer.size() - m_pos;
  if (held >= 2 && m_buffer[m_pos + 1] == kBulkMarker) {
    m_state = State::Bulk;
    m_bulkOffset = StreamOffset();
    m_bulkLength = 0;
    m_capture.clear();
    return NextInBulk(event);
  }
  if (held >= kFrameLength) {
    // An STX among the 26 bytes: this frame was cut short on the line, and the reader drops
    // it for the frame at that STX.
    const std::size_t next = m_buffer.find(kStx, m_pos + 1);
    if (next < m_pos + kFrameLength) {
      m_noiseOffset = StreamOffset();
      m_noiseLength = next - m_pos;
      m_pos = next;
      return TakeNoise(event);
    }
    event = {SplitEvent::Kind::Frame, StreamOffset(), kFrameLength,
             std::string_view(m_buffer).substr(m_pos, kFrameLength)};
    m_pos += kFrameLength;
    return true;
  }
  if (!m_finished) {
    return false;
  }
  m_state = State::Done;
  event = {SplitEvent::Kind::PartialFrame, StreamOffset(), held,
           std::string_view(m_buffer).substr(m_pos)};
  m_pos = m_buffer.size();
  return true;
}

std::vector<SplitRecord> SplitStream(std::string_view stream, std::size_t chunk) {
  std::vector<SplitRecord> records;
  FrameSplitter splitter;
  SplitEvent event;
  const auto drain = [&] {
    while (splitter.Next(event)) {
      records.push_back({event.kind, event.offset, event.length, std::string(event.bytes)});
    }
  };
  const std::size_t step = chunk == 0 ? std::max<std::size_t>(stream.size(), 1) : chunk;
  for (std::size_t pos = 0; pos < stream.size(); pos += step) {
    splitter.Feed(stream.substr(pos, step));
    drain();
  }
  splitter.Finish();
  drain();
  return records;
}

}  // namespace volmograph
