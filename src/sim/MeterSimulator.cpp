#include "sim/MeterSimulator.h"

#include <algorithm>
#include <cmath>

namespace volmograph {
namespace {

constexpr std::uint64_t kNanosPerSecond = 1'000'000'000;
// One call covers at most about 11 days of line time, far from overflowing the credit.
constexpr double kMaxSecondsPerCall = 1e6;

bool RangeFits(char function, int range) {
  const MeterFunction* f = FindMeterFunction(function);
  return f && range >= kAutoRange && range < static_cast<int>(f->ranges.size());
}

std::string RangeError(char function, int range) {
  const MeterFunction* f = FindMeterFunction(function);
  return "range " + std::to_string(range) + " does not exist for function " +
         std::string(1, function) + " (ranges 0.." + std::to_string(f->ranges.size() - 1) + ")";
}

}  // namespace

MeterSimulator::MeterSimulator(const SimOptions& options)
    : m_options(options), m_settings(options.start), m_random(options.seed) {
  std::stable_sort(
      m_options.schedule.begin(), m_options.schedule.end(),
      [](const SimSwitch& a, const SimSwitch& b) { return a.atSeconds < b.atSeconds; });
  if (!FindMeterFunction(m_settings.function)) {
    m_settings.function = 'B';
  }
  if (!RangeFits(m_settings.function, m_settings.range)) {
    m_settings.range = kAutoRange;
  }
  m_centre = m_settings.value.value_or(FindMeterFunction(m_settings.function)->typicalValue);
  m_settings.value = m_centre;
}

MeterSimulator MeterSimulator::Replay(std::vector<std::uint8_t> stream, bool loop) {
  MeterSimulator sim;
  sim.m_replay = true;
  sim.m_loop = loop;
  sim.m_message = std::move(stream);
  return sim;
}

std::string MeterSimulator::Validate(const SimOptions& options) {
  const SimSettings& s = options.start;
  if (!FindMeterFunction(s.function)) {
    return "unknown function '" + std::string(1, s.function) + "' (use A..T)";
  }
  if (!RangeFits(s.function, s.range)) {
    return RangeError(s.function, s.range);
  }
  if ((s.value && !std::isfinite(*s.value)) || !std::isfinite(s.drift) || !std::isfinite(s.noise) ||
      s.noise < 0 || !std::isfinite(s.frequency) || s.frequency <= 0) {
    return "value, drift, noise and frequency must be finite numbers (noise >= 0, frequency > 0)";
  }
  if (options.waveformAfter && !(*options.waveformAfter >= 0)) {
    return "the waveform time must be 0 seconds or more";
  }
  std::vector<SimSwitch> schedule = options.schedule;
  std::stable_sort(schedule.begin(), schedule.end(), [](const SimSwitch& a, const SimSwitch& b) {
    return a.atSeconds < b.atSeconds;
  });
  char function = s.function;
  for (const SimSwitch& change : schedule) {
    if (!(change.atSeconds >= 0) || !std::isfinite(change.atSeconds)) {
      return "switch times must be 0 seconds or more";
    }
    if (change.function) {
      if (!FindMeterFunction(*change.function)) {
        return "unknown function '" + std::string(1, *change.function) + "' (use A..T)";
      }
      function = *change.function;
    }
    if (change.range && !RangeFits(function, *change.range)) {
      return RangeError(function, *change.range);
    }
    if (change.value && !std::isfinite(*change.value)) {
      return "switch values must be finite numbers";
    }
  }
  return {};
}

void MeterSimulator::Produce(double seconds, std::vector<std::uint8_t>& out) {
  if (!(seconds > 0)) {
    return;
  }
  const auto nanos = static_cast<std::uint64_t>(
      std::llround(std::min(seconds, kMaxSecondsPerCall) * static_cast<double>(kNanosPerSecond)));
  m_creditNumerator += nanos * kLineBytesPerSecond;
  std::uint64_t due = m_creditNumerator / kNanosPerSecond;
  m_creditNumerator %= kNanosPerSecond;

  while (due > 0) {
    if (m_messagePos >= m_message.size()) {
      if (m_replay) {
        if (!m_loop || m_message.empty()) {
          return;  // the line falls silent
        }
        m_messagePos = 0;
      } else {
        NextMessage();
      }
    }
    const std::size_t n =
        static_cast<std::size_t>(std::min<std::uint64_t>(due, m_message.size() - m_messagePos));
    out.insert(out.end(), m_message.begin() + m_messagePos, m_message.begin() + m_messagePos + n);
    m_messagePos += n;
    m_bytesProduced += n;
    due -= n;
  }
}

void MeterSimulator::RequestWaveform() {
  if (!m_replay) {
    m_waveformRequested = true;
  }
}

bool MeterSimulator::Finished() const {
  return m_replay && (!m_loop || m_message.empty()) && m_messagePos >= m_message.size();
}

double MeterSimulator::LineSeconds() const {
  return static_cast<double>(m_bytesProduced) / kLineBytesPerSecond;
}

void MeterSimulator::NextMessage() {
  const double now = LineSeconds();
  ApplySwitches(now);
  m_messagePos = 0;
  const bool waveformDue =
      m_options.waveformAfter && !m_waveformAfterDone && now >= *m_options.waveformAfter;
  if (m_waveformRequested || waveformDue) {
    if (waveformDue) {
      m_waveformAfterDone = true;
    }
    m_waveformRequested = false;
    const WaveformCapture capture = BuildWaveformCapture(m_options.waveform);
    m_message.assign(capture.begin(), capture.end());
    return;
  }
  FrameRequest request;
  request.function = m_settings.function;
  request.value = ValueAt(now);
  request.range = m_settings.range;
  request.over = m_settings.over;
  request.frequency = m_settings.frequency;
  const MeterFrameBytes frame = BuildMeterFrame(request);
  m_message.assign(frame.begin(), frame.end());
}

void MeterSimulator::ApplySwitches(double now) {
  while (m_nextSwitch < m_options.schedule.size() &&
         m_options.schedule[m_nextSwitch].atSeconds <= now) {
    Apply(m_options.schedule[m_nextSwitch], now);
    ++m_nextSwitch;
  }
}

void MeterSimulator::Apply(const SimSwitch& change, double now) {
  if (change.function && FindMeterFunction(*change.function)) {
    m_settings.function = *change.function;
    m_settings.range = kAutoRange;
    m_centre = FindMeterFunction(m_settings.function)->typicalValue;
    m_driftOrigin = now;
  }
  if (change.range && RangeFits(m_settings.function, *change.range)) {
    m_settings.range = *change.range;
  }
  if (change.over) {
    m_settings.over = *change.over;
  }
  if (change.value && std::isfinite(*change.value)) {
    m_centre = *change.value;
    m_driftOrigin = now;
  }
  m_settings.value = m_centre;
}

double MeterSimulator::ValueAt(double now) {
  // Drawn for every frame, noise or not, so a change of noise does not shift later draws.
  const double jitter = m_random.Symmetric();
  return m_centre + m_settings.drift * (now - m_driftOrigin) + m_settings.noise * jitter;
}

}  // namespace volmograph
