#include "jet/page_allocator.h"

#include <string>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/row_slot.h"
#include "jet/usage_map.h"

namespace jet {

namespace {

constexpr uint16_t kMapSlot = 0;
// Page 1 names itself as its owner, as Access writes it.
constexpr uint32_t kGlobalMapOwner = 1;

Status LoadGlobalMap(PageBatch* batch, UsageMap* map) {
  return UsageMap::Load(batch, batch->format(),
                        MakeRowPointer(Format::kGlobalUsageMapPage, kMapSlot),
                        UsageMap::Unmapped::kOn, map);
}

}  // namespace

void InitGlobalUsageMap(const Format& format, uint32_t page_count, std::vector<uint8_t>* page) {
  DataPage::Init(format, kGlobalMapOwner, page);
  DataPage data(format, page, "page 1");
  data.Append(UsageMap::NewGlobalRow(format, page_count), 0);
  // Access keeps a second, empty map row here.
  data.Append(UsageMap::EmptyRow(format), 0);
}

Status OfferFreedPages(PageBatch* batch) {
  UsageMap map;
  if (Status s = LoadGlobalMap(batch, &map); !s.ok()) return s;
  std::vector<uint32_t> free;
  if (Status s = map.PagesBelow(batch, batch->file().page_count(), &free); !s.ok()) return s;
  std::vector<uint32_t> reusable;
  for (uint32_t n : free) {
    if (n < Format::kReservedPages) continue;  // never free
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(n, &page); !s.ok()) return s;
    std::vector<uint8_t> copy = *page;
    if (IsPageType(copy, PageType::kData) && DataPageOwner(copy) == kLongValuePageTag &&
        DataPage(batch->format(), &copy, batch->Where(n)).live_row_count() == 0) {
      reusable.push_back(n);
    }
  }
  batch->OfferFreePages(std::move(reusable));
  return Status::OK();
}

Status MarkAllocatedPagesUsed(PageBatch* batch) {
  // Marking pages may itself take new map pages, which need marking too.
  for (size_t marked = 0; marked < batch->allocated().size();) {
    const std::vector<uint32_t> pages(batch->allocated().begin() + marked,
                                      batch->allocated().end());
    marked = batch->allocated().size();
    UsageMap map;
    if (Status s = LoadGlobalMap(batch, &map); !s.ok()) return s;
    if (Status s = map.Set(batch, pages, false, WritePhase::kBeforeCommit); !s.ok()) return s;
  }
  return Status::OK();
}

Status MarkPagesFree(PageBatch* batch, const std::vector<uint32_t>& pages, WritePhase phase) {
  if (pages.empty()) return Status::OK();
  UsageMap map;
  if (Status s = LoadGlobalMap(batch, &map); !s.ok()) return s;
  return map.Set(batch, pages, true, phase);
}

}  // namespace jet
