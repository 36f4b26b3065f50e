#include "jet/page_allocator.h"

#include <string>
#include <string_view>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/row_slot.h"
#include "jet/usage_map.h"

namespace jet {

namespace {

constexpr uint16_t kMapSlot = 0;
constexpr size_t kBitmapGrowth = 32;  // Access grows the bitmap in steps of this many bytes
// Page 1 names itself as its owner, as Access writes it.
constexpr uint32_t kGlobalMapOwner = 1;

// The row for `page_count` pages: `free` tells which of the first pages are
// free; pages from page_count on are free (they do not exist yet).
std::string BuildMapRow(const Format& format, uint32_t page_count, const std::vector<bool>& free) {
  size_t bytes = (page_count + 7) / 8;
  bytes = (bytes + kBitmapGrowth - 1) / kBitmapGrowth * kBitmapGrowth;
  if (bytes < format.usage_map_bytes) bytes = format.usage_map_bytes;
  std::string row(UsageMap::kInlineBitmapOffset + bytes, '\0');
  row[0] = static_cast<char>(UsageMap::kInlineMap);
  for (size_t n = 0; n < bytes * 8; ++n) {
    const bool is_free = n >= page_count || (n < free.size() && free[n]);
    if (is_free)
      row[UsageMap::kInlineBitmapOffset + n / 8] =
          static_cast<char>(row[UsageMap::kInlineBitmapOffset + n / 8] | (1 << (n % 8)));
  }
  return row;
}

// Pages 0 to 2 (database definition, this map, the catalogue) are never free.
constexpr uint32_t kFirstAllocatablePage = 3;

// Which pages the map marks free, as far as its bitmap reaches.
Status ReadGlobalMap(PageBatch* batch, std::vector<bool>* free) {
  const std::vector<uint8_t>* page;
  if (Status s = batch->Read(kGlobalUsageMapPage, &page); !s.ok()) return s;
  std::vector<uint8_t> copy = *page;
  const std::string where = batch->Where(kGlobalUsageMapPage);
  std::string_view row;
  if (Status s = DataPage(batch->format(), &copy, where).Row(kMapSlot, &row); !s.ok()) return s;
  const auto* bytes = reinterpret_cast<const uint8_t*>(row.data());
  if (row.size() < UsageMap::kInlineBitmapOffset || bytes[0] != UsageMap::kInlineMap ||
      LoadU32(bytes + UsageMap::kInlineStartPageOffset) != 0) {
    return Status::NotSupported(where + ": this form of the global page map is not supported");
  }
  const size_t known = (row.size() - UsageMap::kInlineBitmapOffset) * 8;
  free->assign(known, false);
  for (size_t n = 0; n < known; ++n) {
    (*free)[n] = (bytes[UsageMap::kInlineBitmapOffset + n / 8] >> (n % 8)) & 1;
  }
  return Status::OK();
}

// Stores the map of a file of free.size() pages, written in `phase`.
Status WriteGlobalMap(PageBatch* batch, const std::vector<bool>& free, WritePhase phase) {
  std::vector<uint8_t>* page;
  if (Status s = batch->Edit(kGlobalUsageMapPage, phase, &page); !s.ok()) return s;
  const std::string where = batch->Where(kGlobalUsageMapPage);
  DataPage data(batch->format(), page, where);
  bool fitted = false;
  if (Status s = data.Replace(kMapSlot, BuildMapRow(batch->format(), free.size(), free),
                              data.slot_flags(kMapSlot), &fitted);
      !s.ok()) {
    return s;
  }
  if (!fitted) {
    return Status::NotSupported(where + ": the file has grown past what its page map can hold");
  }
  return Status::OK();
}

}  // namespace

void InitGlobalUsageMap(const Format& format, uint32_t page_count, std::vector<uint8_t>* page) {
  DataPage::Init(format, kGlobalMapOwner, page);
  DataPage data(format, page, "page 1");
  data.Append(BuildMapRow(format, page_count, {}), 0);
  // Access keeps a second, empty map row here.
  data.Append(std::string(UsageMap::kInlineBitmapOffset + format.usage_map_bytes, '\0'), 0);
}

Status OfferFreedPages(PageBatch* batch) {
  std::vector<bool> free;
  if (Status s = ReadGlobalMap(batch, &free); !s.ok()) return s;
  std::vector<uint32_t> reusable;
  const uint32_t page_count = batch->file().page_count();
  for (uint32_t n = kFirstAllocatablePage; n < page_count && n < free.size(); ++n) {
    if (!free[n]) continue;
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(n, &page); !s.ok()) return s;
    std::vector<uint8_t> copy = *page;
    if (IsPageType(copy, PageType::kData) &&
        DataPageOwner(copy) == kLongValuePageTag &&
        DataPage(batch->format(), &copy, batch->Where(n)).live_row_count() == 0) {
      reusable.push_back(n);
    }
  }
  batch->OfferFreePages(std::move(reusable));
  return Status::OK();
}

Status MarkAllocatedPagesUsed(PageBatch* batch) {
  const std::vector<uint32_t>& allocated = batch->allocated();
  if (allocated.empty()) return Status::OK();
  std::vector<bool> free;
  if (Status s = ReadGlobalMap(batch, &free); !s.ok()) return s;
  const uint32_t page_count = batch->file().page_count();
  // Pages past the end of the file are free until the batch adds them.
  free.resize(page_count, false);
  for (uint32_t n : allocated) {
    if (n >= free.size()) free.resize(n + 1, true);
    free[n] = false;
  }
  return WriteGlobalMap(batch, free, WritePhase::kBeforeCommit);
}

Status MarkPagesFree(PageBatch* batch, const std::vector<uint32_t>& pages, WritePhase phase) {
  if (pages.empty()) return Status::OK();
  std::vector<bool> free;
  if (Status s = ReadGlobalMap(batch, &free); !s.ok()) return s;
  free.resize(batch->file().page_count(), false);
  for (uint32_t n : pages) {
    if (n < free.size()) free[n] = true;
  }
  return WriteGlobalMap(batch, free, phase);
}

}  // namespace jet
