#include "speech/language_markup.h"

#include <gtest/gtest.h>

namespace lexmira {
namespace {

TEST(LanguageMarkupTest, UsEnglishTagIsTheNineteenCharacterTag) {
  EXPECT_EQ(LanguageTag(kUsEnglishLanguageId), "<LANG LANGID=\"409\">");
  EXPECT_EQ(LanguageTag(kUsEnglishLanguageId).size(), 19u);
}

TEST(LanguageMarkupTest, SplitsTheTagFromTheFront) {
  struct Case {
    const char* text;
    unsigned language_id;
    const char* words;
  };
  const Case cases[] = {
      {"<LANG LANGID=\"409\">apple", 0x409, "apple"},
      {"<LANG LANGID=\"409\">", 0x409, ""},
      {"<LANG LANGID=\"809\">colour", 0x809, "colour"},
      {"<LANG LANGID=\"804\">", 0x804, ""},
      {"apple", kUsEnglishLanguageId, "apple"},
      {"", kUsEnglishLanguageId, ""},
      // Not a well-formed tag: the whole text is words.
      {"<LANG LANGID=409>apple", kUsEnglishLanguageId, "<LANG LANGID=409>apple"},
      {"<LANG LANGID=\"\">apple", kUsEnglishLanguageId, "<LANG LANGID=\"\">apple"},
      {"<LANG LANGID=\"4x9\">apple", kUsEnglishLanguageId, "<LANG LANGID=\"4x9\">apple"},
      {"<LANG LANGID=\"10409\">a", kUsEnglishLanguageId, "<LANG LANGID=\"10409\">a"},
      {"<LANG LANGID=\"409\"", kUsEnglishLanguageId, "<LANG LANGID=\"409\""},
      {" <LANG LANGID=\"409\">apple", kUsEnglishLanguageId, " <LANG LANGID=\"409\">apple"},
  };
  for (const Case& c : cases) {
    const MarkedText marked = SplitLanguageTag(c.text);
    EXPECT_EQ(marked.language_id, c.language_id) << c.text;
    EXPECT_EQ(marked.text, c.words) << c.text;
  }
}

}  // namespace
}  // namespace lexmira
