#include "data/library_catalog.h"

#include <gtest/gtest.h>

namespace lexmira {
namespace {

TEST(LibraryCatalogTest, FindsOnlyExactWholeNames) {
  for (const LibraryEntry& entry : kLibraryCatalog) EXPECT_EQ(FindLibrary(entry.name), &entry);
  const LibraryEntry* sixth = FindLibrary("六级词汇");
  ASSERT_NE(sixth, nullptr);
  EXPECT_EQ(sixth->table, "4");
  EXPECT_EQ(sixth->label, "六级英语");
  for (const char* name : {"", "gre词汇", "GRE", "GRE词汇 ", "六级英语", "0"}) {
    EXPECT_EQ(FindLibrary(name), nullptr) << name;
  }
}

}  // namespace
}  // namespace lexmira
