#include "platform/TextEncoding.h"

#include <array>
#include <cstdint>

namespace volmograph {
namespace {

using HighTable = std::array<char16_t, 128>;  // code points of the bytes 0x80..0xFF

constexpr HighTable kCp1253 = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0xFFFD, 0x2030, 0xFFFD, 0x2039, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 0x88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0xFFFD, 0x203A, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD,  // 0x98
    0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0xFFFD, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x0384, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F,  // 0xB8
    0x0390, 0x0391, 0x0392, 0x0393, 0x0394, 0x0395, 0x0396, 0x0397,  // 0xC0
    0x0398, 0x0399, 0x039A, 0x039B, 0x039C, 0x039D, 0x039E, 0x039F,  // 0xC8
    0x03A0, 0x03A1, 0xFFFD, 0x03A3, 0x03A4, 0x03A5, 0x03A6, 0x03A7,  // 0xD0
    0x03A8, 0x03A9, 0x03AA, 0x03AB, 0x03AC, 0x03AD, 0x03AE, 0x03AF,  // 0xD8
    0x03B0, 0x03B1, 0x03B2, 0x03B3, 0x03B4, 0x03B5, 0x03B6, 0x03B7,  // 0xE0
    0x03B8, 0x03B9, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BE, 0x03BF,  // 0xE8
    0x03C0, 0x03C1, 0x03C2, 0x03C3, 0x03C4, 0x03C5, 0x03C6, 0x03C7,  // 0xF0
    0x03C8, 0x03C9, 0x03CA, 0x03CB, 0x03CC, 0x03CD, 0x03CE, 0xFFFD,  // 0xF8
};

constexpr HighTable MakeCp1252() {
  HighTable table = {
      0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,  // 0x88
      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,  // 0x98
  };
  for (int b = 0xA0; b <= 0xFF; ++b) {
    table[b - 0x80] = static_cast<char16_t>(b);  // 0xA0..0xFF coincide with Latin-1
  }
  return table;
}

constexpr HighTable kCp1252 = MakeCp1252();

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t CodePoint(std::uint8_t b, const HighTable& high) {
  if (b >= 0x80) {
    return high[b - 0x80];
  }
  if (b == 0x7F) {
    return 0x2421;  // SYMBOL FOR DELETE
  }
  if (b < 0x20 && b != '\t') {
    return 0x2400 + b;  // CONTROL PICTURES
  }
  return b;
}

std::string Convert(std::string_view text, const HighTable& high) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (const char c : text) {
    AppendUtf8(out, CodePoint(static_cast<std::uint8_t>(c), high));
  }
  return out;
}

// The length of the well-formed UTF-8 sequence at text[at], or 0 if there is none: overlong
// forms, surrogates and code points past U+10FFFF are not well-formed.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byteAt(at);
  std::size_t length = 0;
  char32_t cp = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07, smallest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() - at < length) {
    return 0;
  }
  for (std::size_t i = at + 1; i < at + length; ++i) {
    if ((byteAt(i) & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (byteAt(i) & 0x3F);
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  return cp < smallest || cp > 0x10FFFF || surrogate ? 0 : length;
}

// Hands each character of `text` to `visit` as its bytes; false, part way through, at the
// first sequence that is not well-formed.
template <typename Visit>
bool EachUtf8Character(std::string_view text, Visit&& visit) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) {
      return false;
    }
    visit(text.substr(at, length));
    at += length;
  }
  return true;
}

char32_t DecodeSequence(std::string_view sequence) {
  const auto lead = static_cast<unsigned char>(sequence[0]);
  if (sequence.size() == 1) {
    return lead;
  }
  char32_t cp = lead & (0x7F >> sequence.size());
  for (std::size_t i = 1; i < sequence.size(); ++i) {
    cp = (cp << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
  }
  return cp;
}

char Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (int b = 0x80; b < 0xA0; ++b) {
    if (kCp1252[b - 0x80] == cp && cp != 0xFFFD) {
      return static_cast<char>(b);
    }
  }
  return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const bool wellFormed = EachUtf8Character(
      text, [&](std::string_view character) { out += Cp1252Byte(DecodeSequence(character)); });
  return wellFormed ? out : std::string(text);
}

std::string SystemTextToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const bool wellFormed = EachUtf8Character(text, [&](std::string_view character) {
    if (character.size() == 1) {
      AppendUtf8(out, CodePoint(static_cast<std::uint8_t>(character[0]), kCp1252));
    } else {
      out.append(character);
    }
  });
  return wellFormed ? out : Cp1252ToUtf8(text);
}

std::string Cp1253ToUtf8(std::string_view text) {
  return Convert(text, kCp1253);
}

std::string Cp1252ToUtf8(std::string_view text) {
  return Convert(text, kCp1252);
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) {
    return text;
  }
  auto isContinuation = [&](std::size_t i) {
    return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
  };
  // text[cut] is the first byte left out; a character has at most three continuation bytes.
  std::size_t cut = maxBytes;
  for (int back = 0; back < 3 && cut > 0 && isContinuation(cut); ++back) {
    --cut;
  }
  if (isContinuation(cut) || static_cast<unsigned char>(text[cut]) < 0xC0) {
    return text.substr(0, maxBytes);  // not inside a well-formed sequence: cut as it stands
  }
  return text.substr(0, cut);
}

}  // namespace volmograph
