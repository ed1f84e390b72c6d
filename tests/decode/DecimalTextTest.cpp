#include "decode/DecimalText.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <cfloat>

#include "decode/ReadingDecoder.h"

namespace volmograph {
namespace {

TEST(ParseDecimal, ReadsOnlyBlanksSignDigitsAndPoint) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"  1.234", 1.234}, {"-12.34", -12.34}, {"+399.9", 399.9}, {".5", 0.5},
      {"5.", 5.0},        {"  3999", 3999},   {"", 0},           {"      ", 0},
      {"-", 0},           {".", 0},           {"- 5", 0},        {"OL", 0},
      {"inf", 0},         {"nan", 0},         {"0x1A", 0},       {"1e3", 1},
      {"1.5E+2", 1.5},    {" 8.8.8", 8.8},    {"12 34", 12},     {"\t5", 0},
      {"1,5", 1},         {"--1", 0},         {"+-1", 0},        {"007.50", 7.5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(ParseDecimal, HugeDigitStringsSaturate) {
  const std::string big(400, '9');
  EXPECT_EQ(ParseDecimal(big), DBL_MAX);
  EXPECT_EQ(ParseDecimal("-" + big), -DBL_MAX);
  EXPECT_EQ(ParseDecimal("0." + std::string(400, '0') + "1"), 0.0);
}

// Builds a German locale (decimal comma) in a temporary folder when none is installed, so
// that the test does not depend on the machine's locale set-up.
bool SelectCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      return true;
    }
  }
  const std::string folder =
      std::filesystem::temp_directory_path() / ("volmograph_locale_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string command =
      "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) {
    return false;
  }
  ::setenv("LOCPATH", folder.c_str(), 1);
  const bool selected = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");
  std::filesystem::remove_all(folder);
  return selected;
}

TEST(ParseDecimal, IgnoresTheLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  const bool commaLocale = SelectCommaLocale();
  const double parsed = ParseDecimal(" 1.25");
  const bool comma = std::localeconv()->decimal_point[0] == ',';
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!commaLocale) {
    GTEST_SKIP() << "no locale with a decimal comma can be had";
  }
  ASSERT_TRUE(comma);
  EXPECT_EQ(parsed, 1.25);
}

TEST(CompareDecimal, ExactAtTheBoundsWhereFloatsAreNot) {
  // 399.9f is slightly less than 399.9 and 0.05f slightly more than 0.05.
  EXPECT_EQ(CompareDecimal(" 399.9", "399.9"), 0);
  EXPECT_EQ(CompareDecimal("  0.05", "0.05"), 0);
  EXPECT_EQ(CompareDecimal("0.0500", "0.05"), 0);
  EXPECT_EQ(CompareDecimal("00399.90", "399.9"), 0);
  EXPECT_EQ(CompareDecimal("399.89999", "399.9"), -1);
  EXPECT_EQ(CompareDecimal("1000", "999.999"), 1);
  EXPECT_EQ(CompareDecimal("-0.1", "0"), -1);
  EXPECT_EQ(CompareDecimal("-0.000", "0"), 0);
  EXPECT_EQ(CompareDecimal("-2", "-10"), 1);
  EXPECT_EQ(CompareDecimal("OL", "0"), 0);
  EXPECT_EQ(CompareDecimal(".5", "0.5"), 0);
}

}  // namespace
}  // namespace volmograph
