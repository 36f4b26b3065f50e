#include "data/gbk_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lexmira {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

TEST(GbkTextTest, ConvertsBothWays) {
  struct Case {
    std::string utf8;
    std::string cp936;
  };
  const Case cases[] = {
      {"", ""},
      {"apple", "apple"},
      {"苹果", "\xC6\xBB\xB9\xFB"},
      {"密文错误！", "\xC3\xDC\xCE\xC4\xB4\xED\xCE\xF3\xA3\xA1"},
      {"n. 六级英语", "n. \xC1\xF9\xBC\xB6\xD3\xA2\xD3\xEF"},
  };
  for (const Case& c : cases) {
    std::string cp936;
    ASSERT_TRUE(Utf8ToCp936(c.utf8, &cp936)) << c.utf8;
    EXPECT_EQ(cp936, c.cp936);
    EXPECT_EQ(Cp936ToUtf8(c.cp936), c.utf8);
  }
}

TEST(GbkTextTest, InvalidBytesBecomeReplacementCharacters) {
  struct Case {
    std::string cp936;
    std::string utf8;
  };
  const std::string r = kReplacement;
  const Case cases[] = {
      {"\xC6", r},                                 // lead byte cut off at the end
      {"a\xFF" "b", "a" + r + "b"},                // never a GBK byte
      {"\xC6\xBB\xFF\xC6\xBB", "苹" + r + "苹"},  // bad byte between good pairs
      {"\xFF\xFF", r + r},
  };
  for (const Case& c : cases) EXPECT_EQ(Cp936ToUtf8(c.cp936), c.utf8);
}

TEST(GbkTextTest, RefusesWhatCodePage936CannotHold) {
  std::string cp936;
  EXPECT_FALSE(Utf8ToCp936("emoji \xF0\x9F\x98\x80", &cp936));
  EXPECT_FALSE(Utf8ToCp936("bad \xC3", &cp936));
}

}  // namespace
}  // namespace lexmira
