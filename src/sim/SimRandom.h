#pragma once

// A small seeded generator (SplitMix64). The standard engines are portable but the
// standard distributions are not, and replays and golden files need the same noise on
// every compiler.

#include <cstdint>

namespace volmograph {

class SimRandom {
 public:
  explicit SimRandom(std::uint64_t seed) : m_state(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // Uniform in [-1, 1).
  double Symmetric() { return static_cast<double>(Next() >> 11) * 0x1.0p-52 - 1.0; }

 private:
  std::uint64_t m_state;
};

}  // namespace volmograph
