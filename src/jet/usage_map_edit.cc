#include "jet/usage_map_edit.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/usage_map.h"

namespace jet {

namespace {

// How many bitmap page numbers an indirect map row of `row_size` bytes holds.
size_t MapPagePointerCount(size_t row_size) {
  return (row_size - UsageMap::kIndirectPagesOffset) / UsageMap::kMapPagePointerSize;
}

// Where an indirect map row keeps the page number of bitmap page `index`.
size_t MapPagePointerOffset(size_t index) {
  return UsageMap::kIndirectPagesOffset + index * UsageMap::kMapPagePointerSize;
}

bool TestBit(const uint8_t* bits, size_t i) { return (bits[i / 8] >> (i % 8)) & 1; }

void SetBit(uint8_t* bits, size_t i, bool on) {
  const auto mask = static_cast<uint8_t>(1u << (i % 8));
  bits[i / 8] = on ? (bits[i / 8] | mask) : (bits[i / 8] & ~mask);
}

struct MapRow {
  uint32_t page;
  uint16_t slot;
  std::string bytes;
};

Status LoadRow(PageBatch* batch, uint32_t pointer, MapRow* row) {
  row->page = RowPointerPage(pointer);
  row->slot = RowPointerSlot(pointer);
  const std::vector<uint8_t>* page;
  if (Status s = batch->Read(row->page, &page); !s.ok()) return s;
  std::vector<uint8_t> copy = *page;
  DataPage data(batch->format(), &copy, batch->Where(row->page));
  std::string_view bytes;
  if (Status s = data.Row(row->slot, &bytes); !s.ok()) return s;
  if (bytes.size() < UsageMap::kInlineBitmapOffset ||
      (bytes[0] != UsageMap::kInlineMap && bytes[0] != UsageMap::kIndirectMap)) {
    return Status::Corruption(batch->Where(row->page) + ": row " + std::to_string(row->slot) +
                              " is not a usage map");
  }
  row->bytes = std::string(bytes);
  return Status::OK();
}

Status StoreRow(PageBatch* batch, const MapRow& row, WritePhase phase) {
  std::vector<uint8_t>* page;
  if (Status s = batch->Edit(row.page, phase, &page); !s.ok()) return s;
  DataPage data(batch->format(), page, batch->Where(row.page));
  bool fitted = false;
  if (Status s = data.Replace(row.slot, row.bytes, data.slot_flags(row.slot), &fitted); !s.ok()) {
    return s;
  }
  if (!fitted) return Status::Corruption(batch->Where(row.page) + ": no room for a usage map");
  return Status::OK();
}

Status CheckMapPage(PageBatch* batch, uint32_t n, const std::vector<uint8_t>& page) {
  if (!IsPageType(page, PageType::kUsageMap)) {
    return Status::Corruption(batch->Where(n) + ": expected a usage bitmap page");
  }
  return Status::OK();
}

void InitMapPage(std::vector<uint8_t>* page) {
  SetPageType(PageType::kUsageMap, page);
}

// Moves an inline map's pages into bitmap pages and makes the row point to them.
Status ConvertToPaged(PageBatch* batch, MapRow* row, const std::vector<uint32_t>& marked) {
  const size_t pointer_count = MapPagePointerCount(row->bytes.size());
  std::string paged(row->bytes.size(), '\0');
  paged[0] = static_cast<char>(UsageMap::kIndirectMap);
  const size_t per_page = UsageMap::PagesPerMapPage(batch->format());
  std::vector<std::vector<uint8_t>*> map_pages(pointer_count, nullptr);
  for (uint32_t n : marked) {
    const size_t index = n / per_page;
    if (index >= pointer_count) {
      return Status::NotSupported(batch->file().path() + ": page " + std::to_string(n) +
                                  " lies beyond what a usage map can hold");
    }
    if (!map_pages[index]) {
      const uint32_t map_page = batch->Allocate(&map_pages[index]);
      InitMapPage(map_pages[index]);
      StoreU32(reinterpret_cast<uint8_t*>(paged.data()) + MapPagePointerOffset(index), map_page);
    }
    SetBit(map_pages[index]->data() + UsageMap::kMapPageBitmapOffset, n % per_page, true);
  }
  row->bytes = std::move(paged);
  return Status::OK();
}

}  // namespace

std::string EmptyUsageMapRow(const Format& format) {
  return std::string(UsageMap::kInlineBitmapOffset + format.usage_map_bytes, '\0');
}

Status ReadUsageMap(PageBatch* batch, uint32_t pointer, std::vector<uint32_t>* pages) {
  pages->clear();
  MapRow row;
  if (Status s = LoadRow(batch, pointer, &row); !s.ok()) return s;
  const auto* bytes = reinterpret_cast<const uint8_t*>(row.bytes.data());
  if (bytes[0] == UsageMap::kInlineMap) {
    const uint32_t start = LoadU32(bytes + UsageMap::kInlineStartPageOffset);
    const size_t bit_count = (row.bytes.size() - UsageMap::kInlineBitmapOffset) * 8;
    const uint8_t* bits = bytes + UsageMap::kInlineBitmapOffset;
    for (size_t i = 0; i < bit_count; ++i) {
      if (TestBit(bits, i)) pages->push_back(start + static_cast<uint32_t>(i));
    }
    return Status::OK();
  }
  const size_t per_page = UsageMap::PagesPerMapPage(batch->format());
  const size_t pointer_count = MapPagePointerCount(row.bytes.size());
  for (size_t index = 0; index < pointer_count; ++index) {
    const uint32_t map_page = LoadU32(bytes + MapPagePointerOffset(index));
    if (map_page == 0) continue;
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(map_page, &page); !s.ok()) return s;
    if (Status s = CheckMapPage(batch, map_page, *page); !s.ok()) return s;
    for (size_t i = 0; i < per_page; ++i) {
      if (TestBit(page->data() + UsageMap::kMapPageBitmapOffset, i)) {
        pages->push_back(static_cast<uint32_t>(index * per_page + i));
      }
    }
  }
  return Status::OK();
}

Status SetUsageMapPages(PageBatch* batch, uint32_t pointer, const std::vector<uint32_t>& pages,
                        bool used, WritePhase phase) {
  if (pages.empty()) return Status::OK();
  MapRow row;
  if (Status s = LoadRow(batch, pointer, &row); !s.ok()) return s;
  auto* bytes = reinterpret_cast<uint8_t*>(row.bytes.data());

  if (bytes[0] == UsageMap::kInlineMap) {
    const size_t bit_count = (row.bytes.size() - UsageMap::kInlineBitmapOffset) * 8;
    uint8_t* bits = bytes + UsageMap::kInlineBitmapOffset;
    uint32_t start = LoadU32(bytes + UsageMap::kInlineStartPageOffset);
    std::vector<uint32_t> marked;
    if (Status s = ReadUsageMap(batch, pointer, &marked); !s.ok()) return s;
    if (marked.empty() && used) {
      // An empty map may start anywhere: at the first page it is to hold.
      start = *std::min_element(pages.begin(), pages.end()) / 8 * 8;
      StoreU32(bytes + UsageMap::kInlineStartPageOffset, start);
    }
    const bool fits = std::all_of(pages.begin(), pages.end(),
                                  [&](uint32_t n) { return n >= start && n - start < bit_count; });
    if (fits) {
      for (uint32_t n : pages) SetBit(bits, n - start, used);
      return StoreRow(batch, row, phase);
    }
    if (!used) {
      // Pages outside the map are not marked; only those inside need clearing.
      for (uint32_t n : pages) {
        if (n >= start && n - start < bit_count) SetBit(bits, n - start, false);
      }
      return StoreRow(batch, row, phase);
    }
    marked.insert(marked.end(), pages.begin(), pages.end());
    if (Status s = ConvertToPaged(batch, &row, marked); !s.ok()) return s;
    return StoreRow(batch, row, phase);
  }

  const size_t per_page = UsageMap::PagesPerMapPage(batch->format());
  const size_t pointer_count = MapPagePointerCount(row.bytes.size());
  bool row_changed = false;
  for (uint32_t n : pages) {
    const size_t index = n / per_page;
    if (index >= pointer_count) {
      return Status::NotSupported(batch->file().path() + ": page " + std::to_string(n) +
                                  " lies beyond what a usage map can hold");
    }
    uint8_t* slot = bytes + MapPagePointerOffset(index);
    uint32_t map_page = LoadU32(slot);
    std::vector<uint8_t>* page;
    if (map_page == 0) {
      if (!used) continue;
      map_page = batch->Allocate(&page);
      InitMapPage(page);
      StoreU32(slot, map_page);
      row_changed = true;
    } else {
      if (Status s = batch->Edit(map_page, phase, &page); !s.ok()) return s;
      if (Status s = CheckMapPage(batch, map_page, *page); !s.ok()) return s;
    }
    SetBit(page->data() + UsageMap::kMapPageBitmapOffset, n % per_page, used);
  }
  return row_changed ? StoreRow(batch, row, phase) : Status::OK();
}

}  // namespace jet
