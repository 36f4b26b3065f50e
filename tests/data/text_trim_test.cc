#include "data/text_trim.h"

#include <gtest/gtest.h>

#include <string>

namespace lexmira {
namespace {

TEST(TrimTest, RemovesSpacesAndControlCharactersAtBothEnds) {
  struct Case {
    std::string text;
    std::string trimmed;
  };
  const Case cases[] = {
      {"", ""},
      {"   ", ""},
      {"word", "word"},
      {"  apple ", "apple"},
      {"\t\r\napple\x01\x1F", "apple"},
      {std::string("\0a b\0", 5), "a b"},
      {"a  b", "a  b"},
      {"!x!", "!x!"},
      {"\x7Fx", "\x7Fx"},
      {" 六级词汇 ", "六级词汇"},
  };
  for (const Case& c : cases) EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
}

}  // namespace
}  // namespace lexmira
