// Text as Jet 4 stores it: the compressed form only where allowed and shorter.
#include "jet/text_encode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Encode(const std::string& utf8, bool compressible) {
  std::u16string units;
  EXPECT_TRUE(jet::Utf8ToUtf16(utf8, &units)) << utf8;
  return jet::EncodeJet4Text(units, compressible);
}

TEST(TextEncode, ChoosesTheShorterForm) {
  const struct {
    const char* text;
    bool compressible;
    std::string stored;
  } kCases[] = {
      {"abc", true,
       std::string("\xff\xfe"
                   "abc",
                   5)},
      {"abc", false, std::string("a\0b\0c\0", 6)},
      {"ab", true, std::string("a\0b\0", 4)},  // no shorter
      {"", true, ""},
      {"ä", false, std::string("\xe4\0", 2)},
      // Two-byte characters behind a zero byte that switches forms.
      {"abcdef中", true,
       std::string("\xff\xfe"
                   "abcdef\0\x2d\x4e",
                   11)},
      {"中abcdef", true,
       std::string("\xff\xfe\0\x2d\x4e\0"
                   "abcdef",
                   12)},
      // Compressing "a中b" would not save a byte.
      {"a中b", true,
       std::string("a\0\x2d\x4e"
                   "b\0",
                   6)},
      // A character whose low byte is zero cannot appear in the compressed form.
      {"abcdefgh一", true, std::string("a\0b\0c\0d\0e\0f\0g\0h\0\0\x4e", 18)},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(Encode(c.text, c.compressible), c.stored) << c.text;
  }
}

TEST(TextEncode, Utf8ToUtf16RejectsWhatIsNotUtf8) {
  std::u16string units;
  EXPECT_TRUE(jet::Utf8ToUtf16("\xf0\x9f\x98\x80", &units));
  EXPECT_EQ(units, (std::u16string{0xd83d, 0xde00}));
  for (const char* bad : {"\xff", "\xc3", "\xe4\xb8", "\xc0\xaf", "\xed\xa0\x80", "a\x80"}) {
    EXPECT_FALSE(jet::Utf8ToUtf16(bad, &units)) << bad;
  }
}

}  // namespace
