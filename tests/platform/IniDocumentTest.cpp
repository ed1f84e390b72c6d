#include "platform/IniDocument.h"

#include <gtest/gtest.h>

#include "platform/MemoryProfile.h"

namespace volmograph {
namespace {

TEST(IniDocument, IntegersMustBeWholeOrGiveTheDefault) {
  const struct {
    const char* value;
    int expected;
  } cases[] = {
      {"42", 42},
      {"  42  ", 42},
      {"\t-3", -3},
      {"+7", 7},
      {"-0", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"abc", -1},
      {"", -1},
      {"  ", -1},
      {"12abc", -1},
      {"1 2", -1},
      {"--1", -1},
      {"+", -1},
      {"0x10", -1},
      {"2147483648", -1},
      {"-2147483649", -1},
      {"99999999999999999999", -1},
  };
  for (const auto& c : cases) {
    const IniDocument document("[s]\nk=" + std::string(c.value) + "\n");
    EXPECT_EQ(document.GetInt("s", "k", -1), c.expected) << '"' << c.value << '"';
  }
}

TEST(IniDocument, LookupRules) {
  const IniDocument document(
      "\xEF\xBB\xBF[First]\n"
      "k=bom-section\n"
      "orphan=1\n"
      "[ Sampling Time ]\n"
      "  Use Display  =  1 SEC \n"
      "use display=second\n"
      "=no key\n"
      "no equals here\n"
      "; Port=9\n"
      "[sampling time]\n"
      "Current=5\n"
      "[broken\n"
      "Current=7\n");
  EXPECT_EQ(document.GetString("first", "K", ""), "bom-section");
  EXPECT_EQ(document.GetString("SAMPLING TIME", "use display", ""), "  1 SEC ");
  // The first section of a name is the one that counts, as its first key.
  EXPECT_EQ(document.GetInt("Sampling Time", "Current", -1), -1);
  EXPECT_EQ(document.GetInt("Sampling Time", "Port", -1), -1);
  EXPECT_FALSE(document.Find("broken", "Current"));

  const std::vector<ProfileEntry> expected = {
      {"First", "k", "bom-section"},
      {"First", "orphan", "1"},
      {"Sampling Time", "Use Display", "  1 SEC "},
      {"Sampling Time", "use display", "second"},
      {"sampling time", "Current", "5"},
      {"sampling time", "Current", "7"},
  };
  EXPECT_EQ(document.Entries(), expected);
}

TEST(IniDocument, EditsInsertWhereAUserWouldLook) {
  IniDocument document(
      "[A]\n"
      "x=1\n"
      "; about B\n"
      "\n"
      "[B]\n");
  EXPECT_TRUE(document.Set("a", "Y", "2"));    // after the last entry of A
  EXPECT_TRUE(document.Set("B", "z", " 3 "));  // into the empty section B
  EXPECT_TRUE(document.Set("C", "w", ""));     // a new section at the end
  EXPECT_TRUE(document.Set("A", "X", "10"));   // an existing key, case-insensitively
  EXPECT_EQ(document.Text(),
            "[A]\n"
            "x=10\n"
            "Y=2\n"
            "; about B\n"
            "\n"
            "[B]\n"
            "z= 3 \n"
            "\n"
            "[C]\n"
            "w=\n");
  EXPECT_EQ(document.GetString("c", "W", "default"), "");
}

TEST(IniDocument, EditsKeepOtherLinesByteForByteWhateverTheirLineEnds) {
  // "Port=0\r\r" is hidden (a control character); rewriting must not turn it into Port=0.
  IniDocument lf("[COMM]\nPort=0\r\r\nx=1\r\n");
  EXPECT_TRUE(lf.Set("comm", "x", "2"));
  EXPECT_TRUE(lf.Set("New", "y", "3"));
  EXPECT_EQ(lf.Text(), "[COMM]\nPort=0\r\r\nx=2\r\n\n[New]\ny=3\n");
  EXPECT_EQ(IniDocument(lf.Text()).GetInt("COMM", "Port", -1), -1);

  IniDocument crlf("[A]\r\nx=1\r\nlf=only\nlast=1");
  EXPECT_TRUE(crlf.Set("A", "z", "9"));
  EXPECT_EQ(crlf.Text(), "[A]\r\nx=1\r\nlf=only\nlast=1\r\nz=9\r\n");
}

TEST(IniDocument, RefusesEditsThatWouldNotReadBack) {
  IniDocument document("[A]\nx=1\n");
  const std::string before = document.Text();
  EXPECT_FALSE(document.Set("A", "x", "1\nx=2"));
  EXPECT_FALSE(document.Set("A", "x", std::string("1\0", 2)));
  EXPECT_FALSE(document.Set("A", "a=b", "1"));
  EXPECT_FALSE(document.Set("A", ";c", "1"));
  EXPECT_FALSE(document.Set("A]", "x", "1"));
  EXPECT_FALSE(document.Set(" ", "x", "1"));
  EXPECT_FALSE(document.Set("A", "", "1"));
  EXPECT_FALSE(document.Set("A", "x", std::string(IniDocument::kMaxLineLength, 'v')));
  EXPECT_EQ(document.Text(), before);
}

TEST(MemoryProfile, BehavesLikeTheFileAndCanRefuseWrites) {
  MemoryProfile profile("[COMM]\nport=abc\n");
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 1);
  EXPECT_TRUE(profile.WriteInt("comm", "PORT", 3));
  EXPECT_TRUE(profile.WriteString("Sampling Time", "Use display", "  1 SEC"));
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 3);
  EXPECT_EQ(profile.Text(), "[COMM]\nport=3\n\n[Sampling Time]\nUse display=  1 SEC\n");

  profile.SetWritable(false);
  EXPECT_FALSE(profile.WriteInt("COMM", "Port", 0));
  EXPECT_EQ(profile.GetInt("COMM", "Port", 1), 3);
  EXPECT_EQ(profile.WriteCount(), 3);
}

}  // namespace
}  // namespace volmograph
