#include "decode/ReadingDecoder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "decode/TestFrames.h"

namespace volmograph {
namespace {

using test::FrameFields;
using test::MakeFrame;

std::string Text(const char* field) {
  return field;
}

Reading Decode(const FrameFields& f) {
  Reading r;
  EXPECT_EQ(AcceptFrame(MakeFrame(f), r), FrameVerdict::Accepted);
  EXPECT_EQ(InterpretReading(f.code, r), InterpretResult::Done);
  return r;
}

TEST(AcceptFrame, RmsMarkersOfBothDisplays) {
  struct Case {
    char ac, ac2;
    const char* rms;
    const char* rms2;
  } cases[] = {
      {'A', ' ', "rms", "   "}, {'a', ' ', "rms", "rms"}, {' ', 'A', "   ", "rms"},
      {'x', 'a', "   ", "   "}, {'A', 'A', "rms", "rms"},
  };
  for (const Case& c : cases) {
    Reading r;
    ASSERT_EQ(AcceptFrame(MakeFrame({.ac = c.ac, .ac2 = c.ac2}), r), FrameVerdict::Accepted);
    EXPECT_EQ(Text(r.rmsText), c.rms) << c.ac << c.ac2;
    EXPECT_EQ(Text(r.rms2Text), c.rms2) << c.ac << c.ac2;
  }
}

TEST(AcceptFrame, RejectsAnyValueCharacterOutsideTheSet) {
  for (const char* value : {" 1.2A4", "1,234 ", " 1e-3 ", "  inf ", "\t1.234", "1.23\x80 "}) {
    Reading r;
    SCOPED_TRACE(value);
    EXPECT_EQ(AcceptFrame(MakeFrame({.ac = 'A', .value = value, .unit = "mVD "}), r),
              FrameVerdict::RejectedValue);
    // Only the marker and the value text are taken from a rejected frame.
    EXPECT_EQ(Text(r.rmsText), "rms");
    EXPECT_EQ(Text(r.valueText), value);
    EXPECT_EQ(Text(r.unitText), "");
  }
  Reading r;
  EXPECT_EQ(AcceptFrame(MakeFrame({.value = "+-. 09"}), r), FrameVerdict::Accepted);
}

TEST(AcceptFrame, NulRejectsInTheValueAndIsABlankElsewhere) {
  Reading r;
  const std::string withNulInValue = MakeFrame({.value = std::string_view(" 1.\0"
                                                                          "34",
                                                                          6)});
  EXPECT_EQ(AcceptFrame(withNulInValue, r), FrameVerdict::RejectedValue);
  EXPECT_EQ(InvalidValueOffset(withNulInValue), 6);
  EXPECT_EQ(Text(r.valueText), " 1. 34");

  const std::string frame = MakeFrame({.unit = std::string_view("\0V\0D", 4),
                                       .value2 = std::string_view("12\0"
                                                                  "34 ",
                                                                  6),
                                       .unit2 = std::string_view(" H\0\0", 4)});
  ASSERT_EQ(AcceptFrame(frame, r), FrameVerdict::Accepted);
  EXPECT_EQ(Text(r.unitText), " V D");
  EXPECT_EQ(Text(r.value2Text), "12 34 ");
  EXPECT_EQ(Text(r.unit2Text), " H  ");
}

TEST(AcceptFrame, MissingPositionsReadAsBlanks) {
  Reading r;
  ASSERT_EQ(AcceptFrame(" ", r), FrameVerdict::Accepted);  // the view's text after a capture
  EXPECT_EQ(Text(r.valueText), "      ");
  EXPECT_EQ(Text(r.unitText), "    ");
  EXPECT_EQ(Text(r.unit2Text), "    ");
  EXPECT_EQ(Text(r.rms2Text), "   ");

  ASSERT_EQ(AcceptFrame(std::string_view("\x02"
                                         "BA 1.5",
                                         7),
                        r),
            FrameVerdict::Accepted);
  EXPECT_EQ(Text(r.valueText), " 1.5  ");
  EXPECT_EQ(InterpretReading(' ', r), InterpretResult::UnknownFunction);
}

TEST(InterpretReading, FunctionRulesShapeTheTexts) {
  struct Case {
    FrameFields in;
    char function;
    const char* label;
    const char* value;
    const char* unit;
    const char* rms2;
    const char* value2;
    const char* unit2;
  } cases[] = {
      // 'B' in millivolts is the AC millivolt function, frequency rule included.
      {{.code = 'B', .value = " 123.4", .unit = "mVA "},
       'C',
       "mV [AC]/HI-Z        ",
       " 123.4",
       "mVac",
       "   ",
       "     0",
       " Hz "},
      {{.code = 'A', .unit = " VA ", .ac2 = 'A', .value2 = " 1.000", .unit2 = "KHz "},
       'A',
       "ACV                 ",
       " 1.234",
       " Vac",
       "rms",
       " 1.000",
       "kHz "},
      {{.code = 'A', .unit = " VD ", .ac2 = 'A', .value2 = " 1.000", .unit2 = " V  "},
       'A',
       "ACV                 ",
       " 1.234",
       " Vdc",
       "   ",
       "     0",
       " Hz "},
      {{.code = 'L', .unit = " AX ", .ac2 = 'A', .value2 = " 50.00", .unit2 = "KHz "},
       'L',
       "20A [DC]            ",
       " 1.234",
       " AX ",
       "rms",
       " 50.00",
       "kHz "},
      {{.code = 'J', .unit = "uAD ", .ac2 = 'A', .value2 = " 50.00", .unit2 = " Pa "},
       'J',
       "mA / uA [DC]        ",
       " 1.234",
       "\xB5"
       "Adc",
       "   ",
       "      ",
       "    "},
      {{.code = 'E',
        .unit = "K\xD9"
                "D ",
        .ac2 = 'A',
        .value2 = " 50.00",
        .unit2 = " Hz "},
       'E',
       "OHM                 ",
       " 1.234",
       "k\xD9"
       "D ",
       "   ",
       "      ",
       "    "},
      {{.code = 'Q', .value2 = "  14.7", .unit2 = " psi"},
       'Q',
       "PRESSURE / AUX      ",
       " 1.234",
       " V  ",
       "   ",
       "     0",
       " Pa "},
      {{.code = 'Q', .ac2 = 'A', .value2 = " 1.013", .unit2 = "KPa "},
       'Q',
       "PRESSURE / AUX      ",
       " 1.234",
       " V  ",
       "rms",
       " 1.013",
       "KPa "},
      {{.code = 'O', .unit = " CAD", .value2 = "  74.3", .unit2 = "KFxy"},
       'O',
       "TEMPERATURE / AUX   ",
       " 1.234",
       "\xB0"
       "CAD",
       "   ",
       "  74.3",
       "\xB0"
       "F  "},
      {{.code = 'O', .unit = " F  ", .value2 = "  23.5", .unit2 = " Xxy"},
       'O',
       "TEMPERATURE / AUX   ",
       " 1.234",
       "\xB0"
       "F  ",
       "   ",
       "  23.5",
       "\xB0"
       "C  "},
      {{.code = 'O', .unit = " K  ", .value2 = "  23.5", .unit2 = " Cxy"},
       'O',
       "TEMPERATURE / AUX   ",
       " 1.234",
       "\xB0   ",
       "   ",
       "  23.5",
       "\xB0"
       "C  "},
      {{.code = 'G', .unit = " VD ", .ac2 = 'A', .value2 = " 0.612", .unit2 = " V  "},
       'G',
       " V DIODE            ",
       "  FORW",
       "    ",
       "rms",
       " 0.612",
       "Vdc "},
      {{.code = 'R', .unit = " AD ", .value2 = " 60.00", .unit2 = "KHz "},
       'R',
       " A [CURRENT] / AUX  ",
       " 1.234",
       " AD ",
       "   ",
       " 60.00",
       "kHz "},
      {{.code = 'S', .unit = "KxDA", .ac2 = 'A', .value2 = "SETUP ", .unit2 = "Kabc"},
       'S',
       "SETUP / INSTALL     ",
       " 1.234",
       "kxDA",
       "rms",
       "SETUP ",
       "Kabc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(MakeFrame(c.in));
    const Reading r = Decode(c.in);
    EXPECT_EQ(r.function, c.function);
    EXPECT_EQ(Text(r.label), c.label);
    EXPECT_EQ(Text(r.valueText), c.value);
    EXPECT_EQ(Text(r.unitText), c.unit);
    EXPECT_EQ(Text(r.rms2Text), c.rms2);
    EXPECT_EQ(Text(r.value2Text), c.value2);
    EXPECT_EQ(Text(r.unit2Text), c.unit2);
  }
}

TEST(InterpretReading, PrefixScalesTheFloatValue) {
  const struct {
    char prefix;
    double factor;
  } cases[] = {{'K', 1e3}, {'M', 1e6}, {'m', 1e-3}, {'n', 1e-9}, {'u', 1e-6}, {'X', 1.0}};
  for (const auto& c : cases) {
    const std::string unit = std::string(1, c.prefix) + "V  ";
    const Reading r = Decode({.code = 'D', .value = "-12.34", .unit = unit});
    EXPECT_EQ(r.value, -12.34f);
    EXPECT_EQ(r.scaledValue, static_cast<double>(-12.34f) * c.factor) << c.prefix;
  }
  EXPECT_EQ(PrefixFactor('k'), 1e3);
  EXPECT_EQ(PrefixFactor(kMicroSign), 1e-6);
}

TEST(InterpretReading, UnknownCodesStopInterpretation) {
  for (char code : {'U', 'Z', 'b', '@', '\0', '\xC1'}) {
    Reading r;
    ASSERT_EQ(AcceptFrame(MakeFrame({.code = code}), r), FrameVerdict::Accepted);
    EXPECT_EQ(InterpretReading(code, r), InterpretResult::UnknownFunction) << int(code);
  }
}

TEST(InterpretReading, DiodeStateFromTheExactSecondValue) {
  const struct {
    const char* volts;
    const char* state;
  } cases[] = {
      {"  0.05", " SHORT"}, {" 0.050", " SHORT"}, {"0.0501", "  FORW"}, {"   1.5", "  FORW"},
      {" 1.501", "   REV"}, {"   3.0", "   REV"}, {"  3.01", "   UNK"}, {"   4.0", "   UNK"},
      {"  4.01", "  OPEN"}, {"  -0.1", "   UNK"}, {"    -0", " SHORT"}, {"    OL", " SHORT"},
      {"   0.0", " SHORT"}, {"-0.001", "   UNK"}, {"  +5.0", "  OPEN"},
  };
  for (const auto& c : cases) {
    const Reading r = Decode({.code = 'G', .value = " 9.999", .value2 = c.volts});
    EXPECT_EQ(Text(r.valueText), c.state) << c.volts;
    EXPECT_FLOAT_EQ(r.value, 9.999f);  // the received number survives the replacement
    EXPECT_EQ(r.decimals, 0);
    EXPECT_FALSE(r.over);
  }
}

TEST(InterpretReading, DecimalsAndOverRangeFollowTheText) {
  const struct {
    char code;
    const char* value;
    int decimals;
    bool over;
  } cases[] = {
      {'B', "  3999", 0, true},  {'B', "  3998", 0, false}, {'B', " -3999", 0, false},
      {'B', "4000  ", 0, true},  {'B', " 399.9", 1, true},  {'B', " 399.8", 1, false},
      {'B', "+399.9", 1, true},  {'B', " 39.99", 2, true},  {'B', " 39.98", 2, false},
      {'B', " 3.999", 3, true},  {'B', " 3.998", 3, false}, {'B', "-3.999", 3, false},
      {'D', ".40000", 5, true},  {'D', ".39999", 5, false}, {'D', "0.4000", 4, false},
      {'M', "  9999", 0, false}, {'B', "      ", 0, false}, {'T', " 8.8.8", 1, false},
      {'B', "3999. ", 1, true},  {'B', " 39 99", 0, false},
  };
  for (const auto& c : cases) {
    const Reading r = Decode({.code = c.code, .value = c.value});
    EXPECT_EQ(r.decimals, c.decimals) << c.value;
    EXPECT_EQ(r.over, c.over) << c.value;
  }
}

TEST(IsOverRange, RewrittenTextsOfAnyLength) {
  // The readout applies the rule to REL and dB texts, which may be longer than six.
  EXPECT_TRUE(IsOverRange('A', "4000.000", 0));
  EXPECT_TRUE(IsOverRange('A', "399.90000001", 1));
  EXPECT_FALSE(IsOverRange('A', "399.89999999", 1));
  EXPECT_FALSE(IsOverRange('A', "-12345.67", 2));
  EXPECT_FALSE(IsOverRange('A', "", 5));
  EXPECT_FALSE(IsOverRange('A', ".\xB5", 5));  // a byte above 0x7F counts as lower than '4'
  EXPECT_TRUE(IsOverRange('A', ".9", 5));
}

TEST(DerivedValue, DecibelsAndNanosiemens) {
  const float zk = 600 * 0.001f;
  EXPECT_EQ(DerivedValue('A', 0.0, zk), 0.0);  // not minus infinity
  EXPECT_EQ(DerivedValue('L', 0.0, zk), 0.0);
  EXPECT_NEAR(*DerivedValue('B', 1.234, zk), 10 * std::log10(1.234 * 1.234 / zk), 1e-12);
  EXPECT_NEAR(*DerivedValue('D', -0.775, zk), *DerivedValue('D', 0.775, zk), 1e-12);
  EXPECT_NEAR(*DerivedValue('K', 1.234, zk), 59.6078, 1e-4);
  EXPECT_EQ(DerivedValue('E', 999999.0, zk), 0.0);
  EXPECT_EQ(DerivedValue('E', 1000000.0, zk), 1000.0);
  EXPECT_EQ(DerivedValue('E', 2e6, zk), 500.0);
  for (char f : {'F', 'G', 'I', 'J', 'M', 'R', 'T'}) {
    EXPECT_FALSE(DerivedValue(f, 1.0, zk).has_value()) << f;
  }
  // A missing or broken reference impedance gives no dBm rather than inf or NaN.
  EXPECT_FALSE(DerivedValue('A', 1.0, 0.0f).has_value());
  EXPECT_FALSE(DerivedValue('K', 1.0, -0.6f).has_value());
  EXPECT_FALSE(DerivedValue('A', NAN, zk).has_value());
}

}  // namespace
}  // namespace volmograph
