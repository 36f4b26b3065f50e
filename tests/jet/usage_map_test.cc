// Usage maps list a table's pages: inline bitmaps and reference maps whose
// bitmap pages are read only as the walk reaches them.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "jet/usage_map.h"
#include "page_image.h"

namespace {

using jet_test::Concat;
using jet_test::U32;

constexpr uint32_t kMapRowPage = 1;
constexpr uint32_t kPages = 10;

// Collects the pages of the map until the end or the first error.
jet::Status Walk(jet::UsageMap* map, jet::PageSource* source, std::vector<uint32_t>* pages) {
  uint32_t from = 0;
  while (true) {
    uint32_t page;
    bool found;
    jet::Status s = map->NextPage(source, from, &page, &found);
    if (!s.ok() || !found) return s;
    pages->push_back(page);
    from = page + 1;
  }
}

TEST(UsageMap, InlineMapListsItsPages) {
  jet_test::PageImage image(jet::Jet4Format(), kPages);
  // A first row, then the map: start page 2, pages 2, 4 and 9.
  std::vector<uint8_t> map_row = Concat({0x00}, U32(2));
  map_row.push_back(0b1000'0101);
  image.SetDataPage(kMapRowPage, 0, {{1, 2, 3}, map_row});
  std::unique_ptr<jet::PageFile> file = image.Open("map_inline.mdb");

  jet::FilePageSource source(*file);
  jet::UsageMap map;
  ASSERT_TRUE(jet::UsageMap::Load(&source, jet::Jet4Format(), jet::MakeRowPointer(kMapRowPage, 1),
                                  jet::UsageMap::Unmapped::kOff, &map)
                  .ok());
  std::vector<uint32_t> pages;
  ASSERT_TRUE(Walk(&map, &source, &pages).ok());
  EXPECT_EQ(pages, (std::vector<uint32_t>{2, 4, 9}));
}

TEST(UsageMap, PageMappedPastTheEndIsCorruption) {
  jet_test::PageImage image(jet::Jet4Format(), kPages);
  std::vector<uint8_t> map_row = Concat({0x00}, U32(8));
  map_row.push_back(0b0000'0101);  // pages 8 and 10; the file ends at 9
  image.SetDataPage(kMapRowPage, 0, {map_row});
  std::unique_ptr<jet::PageFile> file = image.Open("map_past_end.mdb");

  jet::FilePageSource source(*file);
  jet::UsageMap map;
  ASSERT_TRUE(jet::UsageMap::Load(&source, jet::Jet4Format(), jet::MakeRowPointer(kMapRowPage, 0),
                                  jet::UsageMap::Unmapped::kOff, &map)
                  .ok());
  std::vector<uint32_t> pages;
  const jet::Status s = Walk(&map, &source, &pages);
  EXPECT_EQ(pages, (std::vector<uint32_t>{8}));
  EXPECT_EQ(s.code(), jet::Status::Code::kCorruption);
  EXPECT_NE(s.message().find("page 10, past the end"), std::string::npos) << s.message();
}

TEST(UsageMap, ReferenceMapReadsMapPagesOnlyWhenReached) {
  const jet::Format& format = jet::Jet4Format();
  jet_test::PageImage image(format, kPages);
  // Map page 7 covers the first range; page 8, for the second range, is
  // not a map page, which only a walk that gets that far may notice.
  image.SetDataPage(kMapRowPage, 0, {Concat(Concat({0x01}, U32(7)), U32(8))});
  image.page(7)[0] = static_cast<uint8_t>(jet::PageType::kUsageMap);
  image.page(7)[jet::UsageMap::kMapPageBitmapOffset] = 0b0010'1000;  // pages 3 and 5
  image.SetDataPage(8, 0, {});
  std::unique_ptr<jet::PageFile> file = image.Open("map_indirect.mdb");

  jet::FilePageSource source(*file);
  jet::UsageMap map;
  ASSERT_TRUE(jet::UsageMap::Load(&source, format, jet::MakeRowPointer(kMapRowPage, 0),
                                  jet::UsageMap::Unmapped::kOff, &map)
                  .ok());
  EXPECT_EQ(map.form(), jet::UsageMap::kReferenceMap);
  uint32_t page;
  bool found;
  ASSERT_TRUE(map.NextPage(&source, 0, &page, &found).ok());
  ASSERT_TRUE(found);
  EXPECT_EQ(page, 3u);
  ASSERT_TRUE(map.NextPage(&source, 4, &page, &found).ok());
  EXPECT_EQ(page, 5u);
  const jet::Status s = map.NextPage(&source, 6, &page, &found);
  EXPECT_EQ(s.code(), jet::Status::Code::kCorruption);
  EXPECT_NE(s.message().find("page 8 is not a usage map page"), std::string::npos)
      << s.message();
}

}  // namespace
