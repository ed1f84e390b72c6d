#pragma once

// A stand-in for the meter on its serial line: frames back to back at the line's pace,
// with an occasional waveform bulk transfer, or a captured byte stream played back.
//
// Line: 9600 baud, 8 data bits, no parity, one stop bit, so 960 bytes a second and a
// 26-byte frame every 27.08 ms (about 37 frames a second). Each message (frame or
// capture) describes the meter at the line time its first byte is sent; the value is
// centre + drift * (time since the last function or value change) + noise.
//
// Everything depends only on the options, the seed and the sequence of calls, never on
// the wall clock: the same calls give the same bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/MeterFrameBuilder.h"
#include "sim/SimRandom.h"
#include "sim/WaveformBuilder.h"

namespace volmograph {

inline constexpr int kLineBytesPerSecond = 960;

// What the meter shows.
struct SimSettings {
  char function = 'B';
  std::optional<double> value;  // centre in the base unit; the function's typical value if unset
  int range = kAutoRange;       // index into the function's ranges
  double drift = 0.0;           // change of the centre per second
  double noise = 0.0;           // readings spread uniformly over centre +/- noise
  bool over = false;            // every reading over range
  double frequency = 50.0;      // second display of the AC functions
};

// A change at a given line time. Unset fields keep their value. A function change
// resets the value centre to the new function's typical value (unless `value` is set too)
// and the range to auto (unless `range` is set too).
struct SimSwitch {
  double atSeconds = 0.0;
  std::optional<char> function;
  std::optional<int> range;  // kAutoRange allowed
  std::optional<bool> over;
  std::optional<double> value;
};

struct SimOptions {
  SimSettings start;
  std::vector<SimSwitch> schedule;      // applied in order of time
  std::optional<double> waveformAfter;  // one capture at the first message at or after this time
  WaveformShape waveform;
  std::uint64_t seed = 1;
};

class MeterSimulator {
 public:
  explicit MeterSimulator(const SimOptions& options);

  // Plays a captured byte stream at line pace instead; once it ends the line falls silent
  // (Finished) unless `loop` starts it over.
  static MeterSimulator Replay(std::vector<std::uint8_t> stream, bool loop = false);

  // An empty text when the options can be played, else a one-line reason.
  static std::string Validate(const SimOptions& options);

  // Appends exactly the bytes the line carries in `seconds` more of line time. Fractions of
  // a byte are carried over to the next call (time is counted in whole nanoseconds).
  void Produce(double seconds, std::vector<std::uint8_t>& out);

  // The next message after the one being sent becomes a waveform capture.
  void RequestWaveform();

  // A replay that has sent its last byte (never for the simulated meter or a loop).
  bool Finished() const;

  std::uint64_t BytesProduced() const { return m_bytesProduced; }
  // Line time at which the bytes produced so far end.
  double LineSeconds() const;
  // The settings in force for the most recent message.
  const SimSettings& Current() const { return m_settings; }

 private:
  MeterSimulator() = default;
  void NextMessage();
  void ApplySwitches(double now);
  void Apply(const SimSwitch& change, double now);
  double ValueAt(double now);

  SimOptions m_options;
  SimSettings m_settings;
  double m_driftOrigin = 0.0;
  double m_centre = 0.0;
  std::size_t m_nextSwitch = 0;
  bool m_waveformAfterDone = false;
  bool m_waveformRequested = false;
  SimRandom m_random{1};

  bool m_replay = false;
  bool m_loop = false;

  std::vector<std::uint8_t> m_message;  // the message being sent (or the whole replay)
  std::size_t m_messagePos = 0;
  std::uint64_t m_bytesProduced = 0;
  std::uint64_t m_creditNumerator = 0;  // nanoseconds * bytes per second not yet sent as bytes
};

}  // namespace volmograph
