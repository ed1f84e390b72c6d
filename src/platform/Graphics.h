#pragma once

#include <cstdint>
#include <string>

namespace volmograph {

// A colour as the design names it: RGB(r, g, b).
struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kCyan{0, 255, 255};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kYellow{255, 255, 0};

enum class CharSet { Ansi, Greek };

// A font as a description; the Qt side turns it into a real font. Height and width are
// in logical units, escapement in tenths of a degree (900 reads upwards).
struct FontDescription {
  std::string family = "Courier New";
  int height = 0;
  int width = 0;
  int escapement = 0;
  int weight = 400;
  CharSet charSet = CharSet::Ansi;
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace volmograph
