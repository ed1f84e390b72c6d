#include "sim/MeterFrameBuilder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "FrameChecks.h"

namespace volmograph {
namespace {

using test::Decimals;
using test::Number;
using test::OverByRule;
using test::Text;
using test::ValueCharactersValid;

std::vector<std::uint8_t> Build(char function, double value, int range = kAutoRange,
                                bool over = false) {
  FrameRequest r;
  r.function = function;
  r.value = value;
  r.range = range;
  r.over = over;
  const MeterFrameBytes f = BuildMeterFrame(r);
  return {f.begin(), f.end()};
}

TEST(MeterFrameBuilder, EveryFunctionGivesAWellFormedFrame) {
  ASSERT_EQ(MeterFunctions().size(), 20u);
  for (const MeterFunction& f : MeterFunctions()) {
    SCOPED_TRACE(std::string(1, f.code));
    for (double scale : {0.0, 0.3, 1.0, -1.0, 7.0}) {
      for (bool over : {false, true}) {
        const auto frame = Build(f.code, f.typicalValue * scale, kAutoRange, over);
        ASSERT_EQ(frame.size(), 26u);
        EXPECT_EQ(frame[0], 0x02);
        EXPECT_EQ(frame[1], f.code);
        const std::string value = Text(frame, 3, 6);
        EXPECT_TRUE(ValueCharactersValid(value)) << "'" << value << "'";
        // Over range when asked for, or when even the largest range cannot show the value.
        const bool beyond =
            std::labs(RangeCounts(f.ranges.back(), f.typicalValue * scale)) > f.maxCounts;
        EXPECT_EQ(f.code != 'M' && (over || beyond), OverByRule(f.code, value))
            << "'" << value << "'";
        // No control characters after the STX: a receiver resynchronises on 0x02.
        for (std::size_t i = 1; i < frame.size(); ++i) {
          EXPECT_GE(frame[i], 0x20) << "offset " << i;
        }
      }
    }
  }
}

TEST(MeterFrameBuilder, ValueTextFollowsTheRangeOfA4000CountDisplay) {
  EXPECT_EQ(FormatCountsText(1500, 3), " 1.500");
  EXPECT_EQ(FormatCountsText(-1234, 2), "-12.34");
  EXPECT_EQ(FormatCountsText(5, 3), " 0.005");
  EXPECT_EQ(FormatCountsText(-5, 1), "  -0.5");
  EXPECT_EQ(FormatCountsText(3998, 0), "  3998");
  EXPECT_EQ(FormatCountsText(12000, 0), " 12000");
  EXPECT_EQ(FormatCountsText(0, 2), "  0.00");
  // Too wide for six characters: over range rather than a shifted point.
  EXPECT_EQ(FormatCountsText(123456, 3), " 9.999");
  EXPECT_EQ(OverRangeText(1), " 999.9");
  EXPECT_EQ(OverRangeText(0), "  9999");
  EXPECT_EQ(OverRangeText(0, 5), " 99999");

  // DCV picks the smallest range that shows the value; 3998 counts fit, 3999 do not.
  EXPECT_EQ(Text(Build('B', 3.998), 3, 6), " 3.998");
  EXPECT_EQ(Text(Build('B', 3.999), 3, 6), "  4.00");  // next range: 40.00
  EXPECT_EQ(Text(Build('B', -12.34), 3, 6), "-12.34");
  EXPECT_EQ(Text(Build('B', 230.0), 3, 6), " 230.0");
  // A fixed range that the value does not fit is over range.
  const auto over = Build('B', 5.0, 0);
  EXPECT_EQ(Text(over, 3, 6), " 9.999");
  EXPECT_TRUE(OverByRule('B', Text(over, 3, 6)));
  // A value that fits no range at all.
  EXPECT_TRUE(OverByRule('B', Text(Build('B', 5000.0), 3, 6)));
  // Negative readings beyond the range are still sent as over range.
  EXPECT_TRUE(OverByRule('B', Text(Build('B', -5.0, 0), 3, 6)));
}

TEST(MeterFrameBuilder, DecimalsAndPrefixTogetherGiveTheValue) {
  // What a receiver computes from the text and the prefix equals the value sent.
  struct Case {
    char function;
    double value;
  };
  for (const Case& c :
       {Case{'B', 1.5}, Case{'B', -0.5}, Case{'D', 0.0456}, Case{'E', 4700.0}, Case{'E', 2.2e6},
        Case{'H', 100e-9}, Case{'H', 2.2e-6}, Case{'J', 0.0042}, Case{'J', 150e-6},
        Case{'F', 12.5e-9}, Case{'N', 1000.0}, Case{'O', -12.5}, Case{'R', 120.0}}) {
    SCOPED_TRACE(std::string(1, c.function) + " " + std::to_string(c.value));
    const auto frame = Build(c.function, c.value);
    const double shown = Number(Text(frame, 3, 6)) * MeterPrefixFactor(frame[9]);
    EXPECT_NEAR(shown, c.value, std::fabs(c.value) * 1e-3);
    // Auto range takes the smallest range: a decade lower would not hold the value, so
    // the reading uses at least 400 counts unless it is in the lowest range.
    const int decimals = Decimals(Text(frame, 3, 6));
    const double counts = std::fabs(Number(Text(frame, 3, 6))) * std::pow(10.0, decimals);
    const MeterRange& lowest = FindMeterFunction(c.function)->ranges[0];
    if (frame[9] != lowest.prefix || decimals != lowest.decimals) {
      EXPECT_GE(counts, 400.0);
    }
  }
  EXPECT_EQ(Build('J', 150e-6)[9], 'u');
  EXPECT_EQ(Build('E', 4700.0)[9], 'K');
  EXPECT_EQ(Build('E', 2.2e6)[9], 'M');
  EXPECT_EQ(Build('H', 100e-9)[9], 'n');
  EXPECT_EQ(Build('D', 0.0456)[9], 'm');
}

TEST(MeterFrameBuilder, SecondDisplays) {
  // ACV: rms marker, AC coupling, 50.00 Hz with 'H' at offset 22.
  auto f = Build('A', 230.0);
  EXPECT_EQ(f[2], 'A');
  EXPECT_EQ(Text(f, 10, 3), "VAC");
  EXPECT_EQ(Text(f, 15, 6), " 50.00");
  EXPECT_EQ(Text(f, 21, 4), " Hz ");
  FrameRequest khz;
  khz.function = 'I';
  khz.value = 0.01;
  khz.frequency = 1234.0;
  const MeterFrameBytes k = BuildMeterFrame(khz);
  EXPECT_EQ(Text({k.begin(), k.end()}, 15, 10), " 1.234KHz ");

  // DCV: blank second display and DC coupling.
  f = Build('B', 1.5);
  EXPECT_EQ(Text(f, 11, 2), "DC");
  EXPECT_EQ(Text(f, 14, 11), std::string(11, ' '));

  // Temperature: Celsius on the main display, Fahrenheit beside the second.
  f = Build('O', 23.5);
  EXPECT_EQ(Text(f, 3, 8), "  23.5 C");
  EXPECT_EQ(Text(f, 15, 10), "  74.3 F  ");

  // Diode: the forward voltage on both displays; an open diode reads above 4 V.
  f = Build('G', 0.612);
  EXPECT_EQ(Text(f, 3, 6), " 0.612");
  EXPECT_EQ(Text(f, 15, 6), " 0.612");
  EXPECT_GT(Number(Text(Build('G', 0.0, kAutoRange, true), 15, 6)), 4.0);

  // Pressure: 'P' at offset 22.
  f = Build('Q', 0.1013);
  EXPECT_EQ(Text(f, 15, 10), "  1013hPa ");
  EXPECT_EQ(f[22], 'P');

  // Setup and self test send their own screens.
  EXPECT_EQ(Text(Build('S', 15.0), 15, 10), "  9600 Bd ");
  EXPECT_EQ(Text(Build('T', 3.888), 3, 6), " 3.888");
}

TEST(MeterFrameBuilder, UnknownFunctionIsSentAsGiven) {
  const auto f = Build('Y', 1.5);
  EXPECT_EQ(f[1], 'Y');
  EXPECT_EQ(Text(f, 3, 6), " 1.500");
}

TEST(MeterFrameBuilder, TachometerShowsFiveDigitsAndIsNeverOver) {
  EXPECT_EQ(Text(Build('M', 12000.0), 3, 9), " 12000 RP");
  EXPECT_EQ(Text(Build('M', 250000.0), 3, 6), " 99999");
}

}  // namespace
}  // namespace volmograph
