// Table and column names compare as Jet compares them: without case, for
// ASCII and Latin-1 letters.
#include <gtest/gtest.h>

#include "jet/name_fold.h"

namespace {

struct NameCase {
  const char* a;
  const char* b;
  bool equal;
};

const NameCase kCases[] = {
    {"Table1", "tABLE1", true},
    {"0", "0", true},
    {"Umsätze", "UMSÄTZE", true},
    {"ÀÉÎÕÜ", "àéîõü", true},
    {"\xC3\x97", "\xC3\xB7", false},  // × is no capital of ÷
    {"straße", "STRASSE", false},     // no multi-letter folding
    {"word", "words", false},
    {"", "", true},
    {"a\xFF", "A\xFF", true},   // a stray byte compares as itself
    {"a\xC3", "a\xC3\x84", false},  // cut-off sequence
};

TEST(NamesEqual, FoldsAsciiAndLatin1) {
  for (const NameCase& c : kCases) {
    EXPECT_EQ(jet::NamesEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
    EXPECT_EQ(jet::NamesEqual(c.b, c.a), c.equal) << c.b << " vs " << c.a;
  }
}

}  // namespace
