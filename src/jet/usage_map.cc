#include "jet/usage_map.h"

#include <string>

#include "jet/row_slot.h"
#include "jet/little_endian.h"

namespace jet {

namespace {

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

}  // namespace

Status UsageMap::Read(const PageFile& file, const Format& format, uint32_t row_pointer,
                      UsageMap* map) {
  map->file_ = &file;
  map->format_ = &format;
  map->cached_map_page_ = 0;
  map->map_page_.clear();
  const uint32_t page_number = RowPointerPage(row_pointer);
  const uint16_t slot = RowPointerSlot(row_pointer);
  std::vector<uint8_t> page;
  Status s = file.ReadPage(page_number, &page);
  if (!s.ok()) return s;
  RowSlot row;
  s = LocateRow(file, format, page_number, page, slot, &row);
  if (!s.ok()) return s;
  const std::string where = file.path() + ": usage map at page " + std::to_string(page_number) +
                            " row " + std::to_string(slot);
  if (row.deleted || row.end - row.start < kInlineBitmapOffset) {
    return Status::Corruption(where + " is missing or too short");
  }
  map->location_ = {page_number, slot, row.start, row.end - row.start};
  map->row_.assign(page.begin() + row.start, page.begin() + row.end);
  if (map->row_[0] != kInlineMap && map->row_[0] != kIndirectMap) {
    return Status::Corruption(where + " has unknown type " + std::to_string(map->row_[0]));
  }
  return Status::OK();
}

Status UsageMap::CheckInFile(uint32_t page) const {
  bool exists;
  if (Status s = file_->HasPage(page, &exists); !s.ok() || exists) return s;
  return Status::Corruption(file_->path() + ": usage map at page " +
                            std::to_string(location_.page) + " names page " +
                            std::to_string(page) + ", past the end of the file");
}

Status UsageMap::NextPage(uint32_t from, uint32_t* page, bool* found) {
  *found = false;
  if (row_.empty()) return Status::OK();
  return type() == kInlineMap ? NextInline(from, page, found) : NextIndirect(from, page, found);
}

Status UsageMap::NextInline(uint32_t from, uint32_t* page, bool* found) const {
  const uint32_t start = LoadU32(row_.data() + kInlineStartPageOffset);
  const uint64_t first_bit = from > start ? from - start : 0;
  const int64_t bit =
      NextSetBit(row_.data() + kInlineBitmapOffset, row_.size() - kInlineBitmapOffset, first_bit);
  if (bit < 0) return Status::OK();
  const uint64_t mapped = start + static_cast<uint64_t>(bit);
  if (mapped > UINT32_MAX) return CheckInFile(UINT32_MAX);
  if (Status s = CheckInFile(static_cast<uint32_t>(mapped)); !s.ok()) return s;
  *page = static_cast<uint32_t>(mapped);
  *found = true;
  return Status::OK();
}

Status UsageMap::NextIndirect(uint32_t from, uint32_t* page, bool* found) {
  const uint32_t per_map_page = PagesPerMapPage(*format_);
  const size_t map_count = (row_.size() - kIndirectPagesOffset) / 4;
  for (size_t i = from / per_map_page; i < map_count; ++i) {
    const uint32_t map_page = LoadU32(row_.data() + kIndirectPagesOffset + kMapPagePointerSize * i);
    if (map_page == 0) continue;  // that range holds none of the table's pages
    if (map_page != cached_map_page_ || map_page_.empty()) {
      Status s = file_->ReadPage(map_page, &map_page_);
      if (!s.ok()) {
        map_page_.clear();
        return s;
      }
      cached_map_page_ = map_page;
      if (!IsPageType(map_page_, PageType::kUsageMap)) {
        map_page_.clear();
        return Status::Corruption(file_->path() + ": page " + std::to_string(map_page) +
                                  " is not a usage map page");
      }
    }
    const uint64_t range_start = static_cast<uint64_t>(i) * per_map_page;
    const uint64_t first_bit = from > range_start ? from - range_start : 0;
    const int64_t bit = NextSetBit(map_page_.data() + kMapPageBitmapOffset,
                                   map_page_.size() - kMapPageBitmapOffset, first_bit);
    if (bit < 0) continue;
    const uint64_t mapped = range_start + static_cast<uint64_t>(bit);
    if (mapped > UINT32_MAX) return CheckInFile(UINT32_MAX);
    if (Status s = CheckInFile(static_cast<uint32_t>(mapped)); !s.ok()) return s;
    *page = static_cast<uint32_t>(mapped);
    *found = true;
    return Status::OK();
  }
  return Status::OK();
}

}  // namespace jet
