#include "sim/WaveformBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace volmograph {
namespace {

TEST(WaveformBuilder, DotsLandWhereThePictureLayoutPutsThem) {
  WaveformCapture c{};
  // Page 0, column 1, row 0: byte 3, bit 0.
  EXPECT_TRUE(SetWaveformDot(c, 1, 0));
  EXPECT_EQ(c[3], 0x01);
  // Page 6, column 127, row 50: byte 2 + 6 * 128 + 127 = 897, bit 2.
  EXPECT_TRUE(SetWaveformDot(c, 127, 50));
  EXPECT_EQ(c[897], 0x04);
  // Page 2, column 64, row 17: byte 2 + 256 + 64 = 322, bit 1.
  EXPECT_TRUE(SetWaveformDot(c, 64, 17));
  EXPECT_EQ(c[322], 0x02);
  // Column 0 and rows beyond 50 are never shown, so they are refused.
  const WaveformCapture before = c;
  EXPECT_FALSE(SetWaveformDot(c, 0, 10));
  EXPECT_FALSE(SetWaveformDot(c, 5, 51));
  EXPECT_FALSE(SetWaveformDot(c, 128, 5));
  EXPECT_FALSE(SetWaveformDot(c, 5, -1));
  EXPECT_EQ(c, before);
  EXPECT_TRUE(WaveformDotAt(c, 64, 17));
  EXPECT_FALSE(WaveformDotAt(c, 64, 18));
}

TEST(WaveformBuilder, CaptureIsABulkTransferWithASineAndAxes) {
  const WaveformCapture c = BuildWaveformCapture();
  EXPECT_EQ(c[0], 0x02);
  EXPECT_EQ(c[1], 'Z');
  // Nothing outside the drawn area: bytes 898.., column 0 of every page, page 6 bits 3..7.
  EXPECT_TRUE(std::all_of(c.begin() + 898, c.end(), [](std::uint8_t b) { return b == 0; }));
  for (int page = 0; page < 7; ++page) {
    EXPECT_EQ(c[2 + page * 128], 0) << "page " << page;
  }
  for (int column = 0; column < 128; ++column) {
    EXPECT_EQ(c[2 + 768 + column] & 0xF8, 0) << "column " << column;
  }
  // Vertical axis in column 1, dotted horizontal axis on row 25.
  for (int row = 0; row <= 50; ++row) {
    EXPECT_TRUE(WaveformDotAt(c, 1, row)) << row;
  }
  EXPECT_TRUE(WaveformDotAt(c, 41, kWaveformAxisRow));
  EXPECT_TRUE(WaveformDotAt(c, 43, kWaveformAxisRow));
  // Two periods over columns 1..127: crests near columns 17 and 80, troughs near 48 and 111,
  // 20 rows from the axis; the trace is unbroken, one or more dots in every column.
  EXPECT_TRUE(WaveformDotAt(c, 17, 5));
  EXPECT_TRUE(WaveformDotAt(c, 80, 5));
  EXPECT_TRUE(WaveformDotAt(c, 48, 45));
  EXPECT_TRUE(WaveformDotAt(c, 111, 45));
  EXPECT_FALSE(WaveformDotAt(c, 17, 45));
  EXPECT_FALSE(WaveformDotAt(c, 48, 5));
  for (int column = 2; column <= 127; ++column) {
    int dots = 0;
    for (int row = 0; row <= 50; ++row) {
      dots += WaveformDotAt(c, column, row) && row != kWaveformAxisRow;
    }
    EXPECT_GE(dots, 1) << "column " << column;
  }
}

TEST(WaveformBuilder, ShapeIsKeptInsideThePicture) {
  WaveformShape tall;
  tall.amplitude = 100.0;
  tall.cycles = 5.0;
  const WaveformCapture c = BuildWaveformCapture(tall);
  EXPECT_TRUE(WaveformDotAt(c, 2, 25));
  for (int column = 0; column < 128; ++column) {
    EXPECT_EQ(c[2 + 768 + column] & 0xF8, 0);
  }
  EXPECT_TRUE(std::all_of(c.begin() + 898, c.end(), [](std::uint8_t b) { return b == 0; }));
}

}  // namespace
}  // namespace volmograph
