// Arbitrary bytes, in arbitrary chunks and with arbitrary countdowns, through the frame
// reader. Input: a header byte for the reload count, then records of
// [chunk-size byte][countdown byte][chunk bytes]; a chunk-size byte with the top bit set
// means a large chunk (up to 4 KiB), to reach the scratch and accumulation bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/CComTR6400.h"
#include "platform/Prompter.h"
#include "platform/ScriptedSerial.h"

namespace {

using volmograph::CComTR6400;

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// `consumed`: every byte the reader has taken off the line so far, in order.
void CheckAfterPoll(const CComTR6400& meter, int result, int countdown, const std::string& before,
                    std::string_view consumed) {
  Check(result == volmograph::POLL_DONE || result == volmograph::POLL_NOTHING);
  Check(meter.m_accumLength <= CComTR6400::kAccumSize);
  Check(meter.m_lastFrame.empty() || meter.m_lastFrame.size() == volmograph::kFrameLength);
  // Between calls the buffer holds at most one frame's worth, or a bulk transfer, which
  // always starts with STX and 'Z'.
  Check(meter.m_accumLength <= volmograph::kFrameLength ||
        (meter.m_accum[0] == volmograph::kStx && meter.m_accum[1] == 'Z'));
  // Held bytes are always the newest bytes taken, unchanged and in order.
  const std::string_view held(reinterpret_cast<const char*>(meter.m_accum.data()),
                              meter.m_accumLength);
  Check(held.size() <= consumed.size() && consumed.substr(consumed.size() - held.size()) == held);
  if (result == volmograph::POLL_NOTHING) {
    Check(meter.m_sampleDue == 0 && meter.m_ticksLeft == countdown);
    Check(meter.m_lastFrame == before);
    return;
  }
  const bool bulk = meter.m_lastFrame.size() > 1 && meter.m_lastFrame[1] == 'Z';
  // Due when the countdown has run out; otherwise only a finished capture makes it due.
  Check(countdown > 0 || meter.m_sampleDue == 1);
  Check(countdown <= 0 || meter.m_sampleDue == 0 || bulk);
  Check(meter.m_sampleDue == 0 ? meter.m_ticksLeft == countdown
                               : meter.m_ticksLeft == meter.m_reloadTicks);
  if (meter.m_lastFrame != before && !bulk) {
    // A frame is a run of bytes that came off the line, aligned on STX.
    // Frames are text: an STX after the first byte would mean one cut short on the line.
    Check(static_cast<std::uint8_t>(meter.m_lastFrame[0]) == volmograph::kStx);
    Check(meter.m_lastFrame.find(static_cast<char>(volmograph::kStx), 1) == std::string::npos);
    Check(consumed.find(meter.m_lastFrame) != std::string_view::npos);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  volmograph::ScriptedSerialConnector connector;
  volmograph::RecordingPrompter prompter;
  CComTR6400 meter(connector, prompter);
  Check(meter.Open(1) == 1);
  meter.m_reloadTicks = 1 + data[0] % 200;
  std::string fed;
  std::size_t at = 1;
  while (at + 2 <= size) {
    const std::uint8_t sizeByte = data[at];
    const int countdown = static_cast<int>(data[at + 1]) - 128;
    at += 2;
    std::size_t chunk = sizeByte & 0x7f;
    if ((sizeByte & 0x80) != 0) {
      chunk *= 32;
    }
    chunk = std::min(chunk, size - at);
    const std::string bytes(reinterpret_cast<const char*>(data + at), chunk);
    at += chunk;
    connector.Line()->Feed(bytes);
    fed += bytes;
    meter.m_ticksLeft = countdown;
    meter.m_sampleDue = 0;
    const std::size_t queued = connector.Line()->waiting.size();
    const std::string before = meter.m_lastFrame;
    const int result = meter.Poll();
    const std::size_t taken = queued - connector.Line()->waiting.size();
    Check(taken <= CComTR6400::kScratchSize);
    Check(queued != 0 || result == volmograph::POLL_NOTHING);
    CheckAfterPoll(meter, result, countdown, before,
                   std::string_view(fed).substr(0, fed.size() - connector.Line()->waiting.size()));
  }
  return 0;
}
