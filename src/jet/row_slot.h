// Row slots of a data page, as a reader finds them: a header, a table of
// two-byte row offsets growing down from the top, and the rows growing up
// from the end. Row n runs from its offset to the offset of row n - 1 (or to
// the page's end for row 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

struct RowSlot {
  size_t start = 0;  // first byte of the row in the page
  size_t end = 0;    // one past its last byte
  bool deleted = false;
  bool lookup = false;  // the row holds a row pointer to where the row moved
};

// The number of row slots on a data page (whatever its owner).
uint16_t DataPageRowCount(const Format& format, const std::vector<uint8_t>& page);

// The table definition page that owns a data page.
uint32_t DataPageOwner(const std::vector<uint8_t>& page);

// Why FindRowSlot could not place a slot.
enum class SlotFault {
  kNone,
  kNoSuchSlot,      // past the page's row count, or the count overruns the page
  kOutsideRowArea,  // the slot's offsets point outside the rows' part of the page
};

// Where slot `slot` of a data page lies, checked against the page's bounds;
// the callers name the page in their errors.
SlotFault FindRowSlot(const Format& format, const std::vector<uint8_t>& page, uint16_t slot,
                      RowSlot* row);

// Where slot `slot` of data page `page_number` (already read into `page`)
// lies. Offsets outside the page or overlapping the offset table are
// Corruption naming the file, page and slot.
Status LocateRow(const PageFile& file, const Format& format, uint32_t page_number,
                 const std::vector<uint8_t>& page, uint16_t slot, RowSlot* row);

}  // namespace jet
