// UsageMap: which pages a table owns, read from the usage map row its
// definition points to. An inline map (type 0) holds a start page and a
// bitmap; an indirect map (type 1) lists map pages whose bitmaps cover the
// file in consecutive ranges. Map pages are read only when the walk reaches
// them, so looking at the first page does not read the whole map.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

// Where a usage map row lives, for code that edits it in place.
struct UsageMapLocation {
  uint32_t page = 0;  // the data page holding the map row
  uint16_t slot = 0;
  size_t offset = 0;  // the row's first byte (its type byte) in that page
  size_t length = 0;  // the row's length in bytes
};

class UsageMap {
 public:
  static constexpr uint8_t kInlineMap = 0x00;
  static constexpr uint8_t kIndirectMap = 0x01;
  static constexpr size_t kInlineStartPageOffset = 1;  // then the bitmap
  static constexpr size_t kInlineBitmapOffset = 5;
  static constexpr size_t kIndirectPagesOffset = 1;    // four-byte map page numbers
  static constexpr size_t kMapPagePointerSize = 4;
  static constexpr size_t kMapPageBitmapOffset = 4;    // after a map page's header

  // Pages one map page of `format` covers.
  static uint32_t PagesPerMapPage(const Format& format) {
    return (format.page_size - kMapPageBitmapOffset) * 8;
  }

  // Finds and reads the map row that `row_pointer` (page << 8 | slot) names.
  // `file` must outlive the map.
  static Status Read(const PageFile& file, const Format& format, uint32_t row_pointer,
                     UsageMap* map);

  UsageMap() = default;

  const UsageMapLocation& location() const { return location_; }
  uint8_t type() const { return row_.empty() ? kInlineMap : row_[0]; }
  const std::vector<uint8_t>& row() const { return row_; }

  // Sets *page to the first mapped page at or after `from` and *found to
  // true, or *found to false when there is none. A mapped page past the end
  // of the file is Corruption.
  Status NextPage(uint32_t from, uint32_t* page, bool* found);

 private:
  Status NextInline(uint32_t from, uint32_t* page, bool* found) const;
  Status NextIndirect(uint32_t from, uint32_t* page, bool* found);
  Status CheckInFile(uint32_t page) const;

  const PageFile* file_ = nullptr;
  const Format* format_ = nullptr;
  UsageMapLocation location_;
  std::vector<uint8_t> row_;
  // The indirect map page read last, to read each one once per walk.
  uint32_t cached_map_page_ = 0;
  std::vector<uint8_t> map_page_;
};

}  // namespace jet
