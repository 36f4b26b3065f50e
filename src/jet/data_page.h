// DataPage: edits the rows of one data page in memory. Rows lie from the end
// of the page downwards in slot order, each ending where the row of the slot
// before it begins; the slot table after the header holds their offsets and
// flags, and the header the page's free space.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/format.h"
#include "jet/status.h"

namespace jet {

// The page of a moved row's new copy: found through the lookup pointer left
// in its first slot, and hidden from a scan by the deleted flag.
inline constexpr uint16_t kMovedRowFlags = Format::kRowDeletedFlag;
// A deleted row: no reader shows it, and its bytes are gone.
inline constexpr uint16_t kDeletedRowFlags = Format::kRowDeletedFlag | Format::kRowLookupFlag;
// Long value (memo, OLE) pages carry this tag where data pages name their table.
inline constexpr uint32_t kLongValuePageTag = 0x4c41564c;  // "LVAL"

class DataPage {
 public:
  // *page must stay alive while this DataPage is used; `where` names the page
  // in errors ("file: page n").
  DataPage(const Format& format, std::vector<uint8_t>* page, std::string where);

  // Makes *page an empty data page owned by the table whose definition
  // starts at `owner` (or kLongValuePageTag).
  static void Init(const Format& format, uint32_t owner, std::vector<uint8_t>* page);

  uint16_t row_count() const;
  // Rows not marked deleted.
  uint16_t live_row_count() const;
  size_t free_space() const;
  uint16_t slot_flags(uint16_t slot) const;
  // The bytes of a row; Corruption when the slot table contradicts the page.
  Status Row(uint16_t slot, std::string_view* row) const;

  // The largest row a page can hold: an empty page less one slot.
  static size_t MaxRowSize(const Format& format) {
    return format.page_size - format.data_row_table_offset - Format::kRowSlotSize;
  }

  // Whether a new row of `size` bytes (and its slot) fits.
  bool Fits(size_t size) const { return size + Format::kRowSlotSize <= free_space(); }
  // Adds a row in a new slot, which it returns. The caller checks Fits().
  uint16_t Append(std::string_view row, uint16_t flags);
  // Puts `row` with `flags` into an existing slot, packing the page's rows
  // anew. *fitted is false, and the page unchanged, when it does not fit.
  Status Replace(uint16_t slot, std::string_view row, uint16_t flags, bool* fitted);
  // Marks a row deleted and gives its bytes back to the page.
  Status Delete(uint16_t slot);

 private:
  size_t SlotPosition(uint16_t slot) const;
  size_t RowsStart() const;  // offset of the lowest row
  void SetFreeSpace(size_t free);

  const Format& format_;
  std::vector<uint8_t>* const page_;
  const std::string where_;
};

}  // namespace jet
