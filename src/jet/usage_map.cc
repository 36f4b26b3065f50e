#include "jet/usage_map.h"

#include <algorithm>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/row_slot.h"

namespace jet {

namespace {

// The global map's inline bitmap grows in steps of this many bytes, as
// Access grows it.
constexpr size_t kBitmapGrowth = 32;
constexpr uint8_t kAllBits = 0xff;

// Smallest set bit at or after `bit` in bitmap[0..size), or -1.
int64_t NextSetBit(const uint8_t* bitmap, size_t size, uint64_t bit) {
  for (uint64_t byte = bit / 8; byte < size; ++byte) {
    uint8_t bits = bitmap[byte];
    if (byte == bit / 8) bits &= static_cast<uint8_t>(0xff << (bit % 8));
    if (bits == 0) continue;
    return static_cast<int64_t>(byte * 8 + __builtin_ctz(bits));
  }
  return -1;
}

void SetBit(uint8_t* bits, size_t i, bool on) {
  const auto mask = static_cast<uint8_t>(1u << (i % 8));
  bits[i / 8] = on ? (bits[i / 8] | mask) : (bits[i / 8] & ~mask);
}

uint8_t* Bytes(std::string* s) { return reinterpret_cast<uint8_t*>(s->data()); }
const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

size_t MapPageSlots(const std::string& row) {
  return (row.size() - UsageMap::kReferencePagesOffset) / UsageMap::kMapPagePointerSize;
}
size_t MapPageSlotOffset(size_t index) {
  return UsageMap::kReferencePagesOffset + index * UsageMap::kMapPagePointerSize;
}

}  // namespace

std::string UsageMap::EmptyRow(const Format& format) {
  return std::string(kInlineBitmapOffset + format.usage_map_bytes, '\0');
}

// Bytes of an inline global bitmap that reaches page `last`.
size_t GlobalBitmapBytes(const Format& format, uint32_t last) {
  const size_t bytes = (size_t{last} + 8) / 8;
  return std::max(format.usage_map_bytes,
                  (bytes + kBitmapGrowth - 1) / kBitmapGrowth * kBitmapGrowth);
}

std::string UsageMap::NewGlobalRow(const Format& format, uint32_t page_count) {
  std::string row(kInlineBitmapOffset + GlobalBitmapBytes(format, page_count), '\0');
  row[0] = static_cast<char>(kInlineMap);
  for (size_t n = page_count; n < (row.size() - kInlineBitmapOffset) * 8; ++n) {
    SetBit(Bytes(&row) + kInlineBitmapOffset, n, true);  // not in the file yet: free
  }
  return row;
}

Status UsageMap::Load(PageSource* pages, const Format& format, uint32_t row_pointer,
                      Unmapped unmapped, UsageMap* map) {
  map->format_ = &format;
  map->path_ = pages->file().path();
  map->row_page_ = RowPointerPage(row_pointer);
  map->row_slot_ = RowPointerSlot(row_pointer);
  map->unmapped_ = unmapped;
  map->row_.clear();
  const std::vector<uint8_t>* page;
  if (Status s = pages->Read(map->row_page_, &page); !s.ok()) return s;
  RowSlot row;
  if (Status s = LocateRow(pages->file(), format, map->row_page_, *page, map->row_slot_, &row);
      !s.ok()) {
    return s;
  }
  if (row.deleted || row.end - row.start < kInlineBitmapOffset) {
    return Status::Corruption(map->Where() + " is missing or too short");
  }
  map->row_.assign(page->begin() + row.start, page->begin() + row.end);
  if (map->form() != kInlineMap && map->form() != kReferenceMap) {
    const std::string type = std::to_string(map->form());
    map->row_.clear();
    return Status::Corruption(map->Where() + " has unknown type " + type);
  }
  return Status::OK();
}

Status UsageMap::ListPages(PageSource* pages, const Format& format, uint32_t row_pointer,
                           std::vector<uint32_t>* listed) {
  UsageMap map;
  if (Status s = Load(pages, format, row_pointer, Unmapped::kOff, &map); !s.ok()) return s;
  return map.PagesBelow(pages, UINT32_MAX, listed);
}

Status UsageMap::SetPages(PageBatch* batch, uint32_t row_pointer,
                          const std::vector<uint32_t>& pages, bool on, WritePhase phase) {
  if (pages.empty()) return Status::OK();
  UsageMap map;
  if (Status s = Load(batch, batch->format(), row_pointer, Unmapped::kOff, &map); !s.ok()) {
    return s;
  }
  return map.Set(batch, pages, on, phase);
}

std::string UsageMap::Where() const {
  return path_ + ": usage map at page " + std::to_string(row_page_) + " row " +
         std::to_string(row_slot_);
}

Status UsageMap::MapPage(PageSource* pages, uint32_t n, const std::vector<uint8_t>** page) const {
  if (Status s = pages->Read(n, page); !s.ok()) return s;
  if (!IsPageType(**page, PageType::kUsageMap)) {
    return Status::Corruption(path_ + ": page " + std::to_string(n) + " is not a usage map page");
  }
  return Status::OK();
}

Status UsageMap::NextListed(PageSource* pages, uint32_t from, uint32_t* page, bool* found) const {
  *found = false;
  if (row_.empty()) return Status::OK();
  uint64_t listed = 0;
  if (form() == kInlineMap) {
    const uint32_t start = LoadU32(Bytes(row_) + kInlineStartPageOffset);
    const int64_t bit =
        NextSetBit(Bytes(row_) + kInlineBitmapOffset, row_.size() - kInlineBitmapOffset,
                   from > start ? from - start : 0);
    if (bit < 0) return Status::OK();
    listed = start + static_cast<uint64_t>(bit);
  } else {
    const uint32_t per_map_page = PagesPerMapPage(*format_);
    int64_t bit = -1;
    size_t index = from / per_map_page;
    for (; index < MapPageSlots(row_) && bit < 0; ++index) {
      const uint32_t map_page = LoadU32(Bytes(row_) + MapPageSlotOffset(index));
      if (map_page == 0) continue;  // that range lists no page
      const std::vector<uint8_t>* bitmap;
      if (Status s = MapPage(pages, map_page, &bitmap); !s.ok()) return s;
      const uint64_t range_start = uint64_t{index} * per_map_page;
      bit = NextSetBit(bitmap->data() + kMapPageBitmapOffset, bitmap->size() - kMapPageBitmapOffset,
                       from > range_start ? from - range_start : 0);
      if (bit >= 0) listed = range_start + static_cast<uint64_t>(bit);
    }
    if (bit < 0) return Status::OK();
  }
  if (listed > UINT32_MAX) {
    return Status::Corruption(Where() + " lists a page beyond any file");
  }
  *page = static_cast<uint32_t>(listed);
  *found = true;
  return Status::OK();
}

Status UsageMap::NextPage(PageSource* pages, uint32_t from, uint32_t* page, bool* found) {
  if (Status s = NextListed(pages, from, page, found); !s.ok() || !*found) return s;
  bool exists;
  if (Status s = pages->HasPage(*page, &exists); !s.ok() || exists) return s;
  *found = false;
  return Status::Corruption(Where() + " names page " + std::to_string(*page) +
                            ", past the end of the file");
}

Status UsageMap::PagesBelow(PageSource* pages, uint32_t end, std::vector<uint32_t>* listed) {
  listed->clear();
  for (uint32_t from = 0; from < end;) {
    uint32_t page;
    bool found;
    if (Status s = NextListed(pages, from, &page, &found); !s.ok() || !found) return s;
    if (page >= end) break;
    listed->push_back(page);
    if (page == UINT32_MAX) break;
    from = page + 1;
  }
  return Status::OK();
}

Status UsageMap::StoreRow(PageBatch* batch, WritePhase phase, bool* fitted) const {
  std::vector<uint8_t>* page;
  if (Status s = batch->Edit(row_page_, phase, &page); !s.ok()) return s;
  DataPage data(*format_, page, batch->Where(row_page_));
  return data.Replace(row_slot_, row_, data.slot_flags(row_slot_), fitted);
}

void UsageMap::InitMapPage(std::vector<uint8_t>* page) const {
  SetPageType(PageType::kUsageMap, page);
  if (unmapped_ == Unmapped::kOn) {
    std::fill(page->begin() + kMapPageBitmapOffset, page->end(), kAllBits);
  }
}

Status UsageMap::Set(PageBatch* batch, const std::vector<uint32_t>& pages, bool on,
                     WritePhase phase) {
  if (pages.empty()) return Status::OK();
  return form() == kInlineMap ? SetInline(batch, pages, on, phase)
                              : SetReference(batch, pages, on, phase, false);
}

Status UsageMap::SetInline(PageBatch* batch, const std::vector<uint32_t>& pages, bool on,
                           WritePhase phase) {
  uint32_t start = LoadU32(Bytes(row_) + kInlineStartPageOffset);
  const bool listed_when_unmapped = unmapped_ == Unmapped::kOn;
  const bool empty = std::all_of(row_.begin() + kInlineBitmapOffset, row_.end(),
                                 [](char byte) { return byte == 0; });
  if (empty && on && !listed_when_unmapped) {
    // An empty map may start anywhere: at the first page it is to hold.
    start = *std::min_element(pages.begin(), pages.end()) / 8 * 8;
    StoreU32(Bytes(&row_) + kInlineStartPageOffset, start);
  }
  const uint32_t last = *std::max_element(pages.begin(), pages.end());
  const uint32_t first = *std::min_element(pages.begin(), pages.end());
  const auto reaches = [&](uint32_t n) {
    return n >= start && n - start < (row_.size() - kInlineBitmapOffset) * 8;
  };
  // Pages the map does not reach already count as what is asked.
  const bool unreached_fine = on == listed_when_unmapped;
  const std::string original = row_;
  if (!reaches(first) || !reaches(last)) {
    if (listed_when_unmapped && !unreached_fine && start == 0) {
      // Grow the bitmap over the new pages, which count as listed until set.
      row_.resize(kInlineBitmapOffset + GlobalBitmapBytes(*format_, last),
                  static_cast<char>(kAllBits));
    } else if (!unreached_fine) {
      if (Status s = ConvertToReference(batch); !s.ok()) return s;
      return SetReference(batch, pages, on, phase, true);
    }
  }
  for (uint32_t n : pages) {
    if (reaches(n)) SetBit(Bytes(&row_) + kInlineBitmapOffset, n - start, on);
  }
  bool fitted = false;
  if (Status s = StoreRow(batch, phase, &fitted); !s.ok() || fitted) return s;
  // The grown row no longer fits its page: map pages take the bitmap.
  row_ = original;
  if (Status s = ConvertToReference(batch); !s.ok()) return s;
  return SetReference(batch, pages, on, phase, true);
}

Status UsageMap::ConvertToReference(PageBatch* batch) {
  const uint32_t start = LoadU32(Bytes(row_) + kInlineStartPageOffset);
  const size_t bit_count = (row_.size() - kInlineBitmapOffset) * 8;
  const uint8_t* bits = Bytes(row_) + kInlineBitmapOffset;
  std::string reference(row_.size(), '\0');
  reference[0] = static_cast<char>(kReferenceMap);
  const uint32_t per_map_page = PagesPerMapPage(*format_);
  std::vector<std::vector<uint8_t>*> map_pages(MapPageSlots(reference), nullptr);
  for (size_t i = 0; i < bit_count; ++i) {
    const bool on = (bits[i / 8] >> (i % 8)) & 1;
    // A table map needs map pages only where it lists pages; the global map
    // wherever its bitmap reached, to keep the pages it marks used.
    if (!on && unmapped_ == Unmapped::kOff) continue;
    const uint64_t n = uint64_t{start} + i;
    const size_t index = n / per_map_page;
    if (index >= map_pages.size()) {
      if (!on) continue;
      return Status::NotSupported(path_ + ": page " + std::to_string(n) +
                                  " lies beyond what a usage map can hold");
    }
    if (map_pages[index] == nullptr) {
      const uint32_t map_page = batch->Allocate(&map_pages[index]);
      InitMapPage(map_pages[index]);
      StoreU32(Bytes(&reference) + MapPageSlotOffset(index), map_page);
    }
    SetBit(map_pages[index]->data() + kMapPageBitmapOffset, n % per_map_page, on);
  }
  row_ = std::move(reference);
  return Status::OK();
}

Status UsageMap::SetReference(PageBatch* batch, const std::vector<uint32_t>& pages, bool on,
                              WritePhase phase, bool row_changed) {
  const uint32_t per_map_page = PagesPerMapPage(*format_);
  for (uint32_t n : pages) {
    const size_t index = n / per_map_page;
    if (index >= MapPageSlots(row_)) {
      return Status::NotSupported(path_ + ": page " + std::to_string(n) +
                                  " lies beyond what a usage map can hold");
    }
    uint8_t* slot = Bytes(&row_) + MapPageSlotOffset(index);
    uint32_t map_page = LoadU32(slot);
    std::vector<uint8_t>* page;
    if (map_page == 0) {
      if (on == (unmapped_ == Unmapped::kOn)) continue;  // unmapped says so already
      map_page = batch->Allocate(&page);
      InitMapPage(page);
      StoreU32(slot, map_page);
      row_changed = true;
    } else {
      const std::vector<uint8_t>* checked;
      if (Status s = MapPage(batch, map_page, &checked); !s.ok()) return s;
      if (Status s = batch->Edit(map_page, phase, &page); !s.ok()) return s;
    }
    SetBit(page->data() + kMapPageBitmapOffset, n % per_map_page, on);
  }
  if (!row_changed) return Status::OK();
  bool fitted = false;
  if (Status s = StoreRow(batch, phase, &fitted); !s.ok()) return s;
  if (!fitted) return Status::Corruption(Where() + ": no room for the map on its page");
  return Status::OK();
}

}  // namespace jet
