#include "files/SampleCsv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/SampleLines.h"

namespace volmograph {
namespace {

std::string Line(std::string rms, std::string value, std::string unit, std::string rms2,
                 std::string value2, std::string unit2, std::string label, std::string raw) {
  return test::SampleLineOf("23:59:58", rms, value, unit, rms2, value2, unit2, label, raw);
}

TEST(SampleCsv, RowsFromSampleLineColumns) {
  const struct {
    std::string line;
    std::string row;
  } cases[] = {
      {Line("", " 1.234", " Vdc", "", "", "", "DCV", " 1.234"), "23:59:58,1.234,Vdc,,,,,DCV,1.234"},
      {Line("rms", " -.50", "mVac", "rms", " 50.00", " Hz", "ACV", " -.50"),
       "23:59:58,-0.50,mVac,rms,50.00,Hz,rms,ACV,-0.50"},
      // Code page 1253: micro sign, degree sign, capital omega.
      {Line("", " 12.5",
            "\xB5"
            "Adc",
            "", "", "",
            "mA / \xB5"
            "A [DC]",
            " 12.5"),
       "23:59:58,12.5,\u00B5Adc,,,,,mA / \u00B5A [DC],12.5"},
      {Line("", " 21.4",
            " \xB0"
            "C",
            "", " 70.5",
            " \xB0"
            "F",
            "TEMP", " 21.4"),
       "23:59:58,21.4,\u00B0C,,70.5,\u00B0F,,TEMP,21.4"},
      {Line("", " 3.3", "k\xD9", "", "", "", "OHM", " 3.3"), "23:59:58,3.3,k\u03A9,,,,,OHM,3.3"},
      // Over range: no value, the raw value as sent.
      {Line("", " OVER ", " Vdc", "", "", "", "DCV", " 4.100"), "23:59:58,,Vdc,,,,,DCV,4.100"},
      // Diode states stay text; zero loses its minus sign, padding zeros their place.
      {Line("", " SHORT", "", "", " -0.00", "Vdc", "DIODE", " SHORT"),
       "23:59:58,SHORT,,,0.00,Vdc,,DIODE,SHORT"},
      {Line("", "007.50", "", "", "+12.", "", "", "-.0"), "23:59:58,7.50,,,12,,,,0.0"},
      // Text that needs quoting, and a short line read back with its LF.
      {Line("", "", "", "", "", "", "a,\"b\"", ""), "23:59:58,,,,,,,\"a,\"\"b\"\"\","},
      {" 10:00:00  rms  1.0\n", "10:00:00,1.0,,rms,,,,,"},
      {"", ",,,,,,,,"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SampleCsvRow(c.line), c.row) << c.line;
  }
}

TEST(SampleCsv, NumbersOnlyWhenTheWholeFieldIsOne) {
  for (const char* text : {"", "   ", "OVER", "1.2.3", "1e3", "- 1", "1,5", ".", "-"}) {
    EXPECT_FALSE(CsvNumber(text).has_value()) << text;
  }
  EXPECT_EQ(CsvNumber("  0"), "0");
  EXPECT_EQ(CsvNumber(" -0012.340 "), "-12.340");
}

TEST(SampleCsv, DataFileContentsUnderTheirHeader) {
  DataFileContents text;
  text.lines = {Line("", " 1.0", " Vdc", "", "", "", "DCV", " 1.0")};
  EXPECT_EQ(DataFileCsv(text), SampleCsvHeader() + "\r\n23:59:58,1.0,Vdc,,,,,DCV,1.0\r\n");

  DataFileContents graph;
  graph.kind = DataFileKind::Graph;
  graph.image[1] = 255;
  graph.image[1023] = 17;
  const std::string csv = DataFileCsv(graph);
  EXPECT_TRUE(csv.starts_with("index,byte\r\n0,0\r\n1,255\r\n2,0\r\n")) << csv.substr(0, 40);
  EXPECT_TRUE(csv.ends_with("\r\n1022,0\r\n1023,17\r\n"));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1025);
}

}  // namespace
}  // namespace volmograph
