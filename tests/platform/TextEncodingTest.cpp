#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>

namespace volmograph {
namespace {

TEST(TextEncoding, MeterSignsInBothCodePages) {
  EXPECT_EQ(Cp1253ToUtf8("\xB5"
                         "A \xB0"
                         "C 10k\xD9"),
            "µA °C 10kΩ");
  EXPECT_EQ(Cp1252ToUtf8("\xB5"
                         "A \xB0"
                         "C \xD9"),
            "µA °C Ù");
  EXPECT_EQ(Cp1253ToUtf8("\x80\xA2\xC0\xC1\xFE"), "€ΆΐΑώ");
  EXPECT_EQ(Cp1252ToUtf8("\x80\x8A\x9F\xFF"), "€ŠŸÿ");
}

TEST(TextEncoding, UndefinedCodePointsBecomeReplacementCharacters) {
  for (const char b : {'\x81', '\x88', '\xAA', '\xD2', '\xFF'}) {
    EXPECT_EQ(Cp1253ToUtf8(std::string(1, b)), "\uFFFD") << int(b & 0xFF);
  }
  for (const char b : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
    EXPECT_EQ(Cp1252ToUtf8(std::string(1, b)), "\uFFFD") << int(b & 0xFF);
  }
}

TEST(TextEncoding, ControlBytesAreVisibleExceptTab) {
  const std::string noise("\x00\x02\x1B[2J\r\n\t\x7F", 10);
  const std::string expected = "␀␂␛[2J␍␊\t␡";
  EXPECT_EQ(Cp1253ToUtf8(noise), expected);
  EXPECT_EQ(Cp1252ToUtf8(noise), expected);
}

TEST(TextEncoding, EveryByteGivesOneCharacterWithoutControls) {
  for (int b = 0; b < 256; ++b) {
    for (const auto convert : {Cp1253ToUtf8, Cp1252ToUtf8}) {
      const std::string out = convert(std::string(1, static_cast<char>(b)));
      ASSERT_FALSE(out.empty());
      const auto lead = static_cast<unsigned char>(out[0]);
      const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
      EXPECT_EQ(out.size(), length) << b;
      if (b != '\t') {
        EXPECT_GE(lead, 0x20) << b;
        EXPECT_NE(lead, 0x7F) << b;
      }
      if (b >= 0x20 && b < 0x7F) {
        EXPECT_EQ(out, std::string(1, static_cast<char>(b)));
      }
    }
  }
}

TEST(TextEncoding, SystemTextIsUtf8UnlessItIsNot) {
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"/home/j\xC3\xBCrgen/log.mtr: Permission denied", "/home/jürgen/log.mtr: Permission denied"},
      {"/dev/\xF0\x9F\x93\x9F", "/dev/📟"},
      {"line\none\x1B[2J\x7F", "line␊one␛[2J␡"},
      // Not well-formed UTF-8: a Latin-1 name, an overlong slash, a surrogate, a cut sequence.
      {"/tmp/caf\xE9.mtr", "/tmp/café.mtr"},
      {"\xC0\xAF", "À¯"},
      {"\xED\xA0\x80", "í\u00A0€"},
      {"\xC3\xBC\xE2\x82", "Ã¼â‚"},
      {"\xF5\x80\x80\x80", "õ€€€"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SystemTextToUtf8(c.in), c.out) << c.in;
  }
}

TEST(TextEncoding, SystemNamesBecomeCodePage1252) {
  for (int b = 0x20; b < 0x100; ++b) {
    const std::string byte(1, static_cast<char>(b));
    if (b != 0x7F && Cp1252ToUtf8(byte) != "\uFFFD") {
      EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(byte)), byte) << b;
    }
  }
  EXPECT_EQ(Utf8ToCp1252("\xE6\x97\xA5\xE6\x9C\xAC-\xCE\xA9.mtr"), "?" "?-?.mtr");
  EXPECT_EQ(Utf8ToCp1252("\xEF\xBF\xBD"), "?");           // U+FFFD is no byte of the page
  EXPECT_EQ(Utf8ToCp1252("caf\xE9.mtr"), "caf\xE9.mtr");  // already single-byte
}

}  // namespace
}  // namespace volmograph
