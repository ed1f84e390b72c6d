#pragma once

// The choices of the Setup menu: sampling intervals and dB reference impedances.

#include <array>

#include "view/Ids.h"

namespace volmograph {

struct SamplingChoice {
  int commandId;
  int storedCode;  // the interval in 50 ms units, as the profile keeps it
  int ticks;       // the countdown reload; a little shorter than the interval
  const char* paneText;
  int checkIndex;  // position in m_samplingCheck: 10 s, 1 s, 250 ms, 2 s, 500 ms, 5 s
};

inline constexpr std::array<SamplingChoice, 6> kSamplingChoices{{
    {cmd::kSampling250ms, 5, 4, "250 mSEC", 2},
    {cmd::kSampling500ms, 10, 8, "500 mSEC", 4},
    {cmd::kSampling1s, 20, 16, "  1 SEC", 1},
    {cmd::kSampling2s, 40, 38, "  2 SEC", 3},
    {cmd::kSampling5s, 100, 86, "  5 SEC", 5},
    {cmd::kSampling10s, 200, 172, " 10 SEC", 0},
}};

struct DbReferenceChoice {
  int ohm;
  float kiloOhm;
};

// In menu order: command kDbRefFirst + i sets entry i, whose flag is m_dbRefCheck[i].
inline constexpr std::array<DbReferenceChoice, 15> kDbReferenceChoices{{
    {2, 0.002f},
    {4, 0.004f},
    {8, 0.008f},
    {16, 0.016f},
    {50, 0.05f},
    {75, 0.075f},
    {93, 0.093f},
    {110, 0.11f},
    {125, 0.125f},
    {135, 0.135f},
    {150, 0.15f},
    {300, 0.3f},
    {600, 0.6f},
    {900, 0.9f},
    {1000, 1.0f},
}};

inline constexpr const char* kSectionComm = "COMM";
inline constexpr const char* kKeyPort = "Port";
inline constexpr const char* kSectionDb = "Db";
inline constexpr const char* kKeyRef = "Ref";
inline constexpr const char* kSectionSampling = "Sampling Time";
inline constexpr const char* kKeyCurrent = "Current";
inline constexpr const char* kKeyUseDisplay = "Use display";

inline constexpr int kDefaultPortIndex = 1;
inline constexpr int kDefaultDbRefOhm = 600;
inline constexpr int kDefaultSamplingCode = 20;
inline constexpr const char* kDefaultSamplingLabel = "  1 SEC";

}  // namespace volmograph
