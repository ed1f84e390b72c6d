#include "files/GraphFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "FileTestSupport.h"

namespace volmograph {
namespace {

using Image = std::array<std::uint8_t, kGraphImageSize>;

Image GoldenImage() {
  Image image{};
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 97 % 256);
  }
  return image;
}

// A file whose first field is `field` and whose other fields hold 7.
std::string FileWithFirstField(const std::string& field) {
  Image sevens;
  sevens.fill(7);
  std::string file = WriteGraphFile(sevens);
  return file.replace(kGraphFileHeader.size(), kGraphFieldWidth, field);
}

TEST(GraphFile, EveryByteValueSurvivesARoundTripInExactly4112Bytes) {
  Image image{};
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(255 - i % 256);
  }
  std::string file = WriteGraphFile(image);
  ASSERT_EQ(file.size(), 4112u);
  EXPECT_EQ(file.substr(0, 16), "GRAPH*1VTRX521.0");
  for (std::size_t i = 16; i < file.size(); i += 4) {
    ASSERT_EQ(file[i], ' ') << "field at offset " << i;
  }

  Image back;
  back.fill(0xAA);
  GraphReadResult result = ReadGraphFile(file, back);
  EXPECT_EQ(back, image);
  EXPECT_EQ(result.fieldsPresent, 1024);
  EXPECT_TRUE(result.IsComplete());
}

TEST(GraphFile, MatchesTheGoldenFileBothWays) {
  std::string golden = test::VectorFile("graph_golden.mtr");
  ASSERT_EQ(golden.size(), kGraphFileSize);
  EXPECT_EQ(WriteGraphFile(GoldenImage()), golden);

  Image back{};
  EXPECT_TRUE(ReadGraphFile(golden, back).IsComplete());
  EXPECT_EQ(back, GoldenImage());
}

TEST(GraphFile, FieldsParseLikePercentDAndKeepTheirLowEightBits) {
  struct Case {
    std::string field;
    int expected;
    bool valid;
  };
  const Case cases[] = {
      {"   0", 0, true},   {" 255", 255, true},
      {" 256", 0, true},   {"  -1", 255, true},
      {"-999", 25, true},  {"  +7", 7, true},
      {"\t 42", 42, true}, {" 1x2", 1, true},
      {"0017", 17, true},  {"junk", 0, false},
      {"    ", 0, false},  {"  - ", 0, false},
      {" +-1", 0, false},  {std::string(4, '\0'), 0, false},
  };
  for (const Case& c : cases) {
    Image image;
    image.fill(0xAA);
    GraphReadResult result = ReadGraphFile(FileWithFirstField(c.field), image);
    EXPECT_EQ(image[0], c.expected) << "field \"" << c.field << "\"";
    EXPECT_EQ(image[1], 7);
    EXPECT_EQ(result.validFields, c.valid ? 1024 : 1023) << "field \"" << c.field << "\"";
    EXPECT_EQ(result.fieldsPresent, 1024);
  }
}

TEST(GraphFile, AShortFileGivesZerosForTheMissingFieldsAndSaysHowManyWereRead) {
  std::string file = WriteGraphFile(GoldenImage());
  // Ten whole fields and half of the eleventh.
  std::string shortFile = file.substr(0, 16 + 10 * 4 + 2);
  Image image;
  image.fill(0xAA);
  GraphReadResult result = ReadGraphFile(shortFile, image);
  EXPECT_EQ(result.fieldsPresent, 10);
  EXPECT_EQ(result.validFields, 10);
  EXPECT_FALSE(result.IsComplete());
  for (std::size_t i = 0; i < image.size(); ++i) {
    ASSERT_EQ(image[i], i < 10 ? GoldenImage()[i] : 0) << "byte " << i;
  }

  for (std::string tiny : {std::string(), std::string("GRA"), file.substr(0, 16)}) {
    image.fill(0xAA);
    result = ReadGraphFile(tiny, image);
    EXPECT_EQ(result.fieldsPresent, 0);
    EXPECT_EQ(image, Image{});
  }
}

TEST(GraphFile, BytesAfterTheLastFieldAreIgnored) {
  std::string file = test::VectorFile("graph_golden.mtr") + " 99 junk\n" + std::string(100, 'x');
  Image image{};
  EXPECT_TRUE(ReadGraphFile(file, image).IsComplete());
  EXPECT_EQ(image, GoldenImage());
}

}  // namespace
}  // namespace volmograph
