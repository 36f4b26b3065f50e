#include "jet/row_slot.h"

#include <string>

#include "jet/little_endian.h"

namespace jet {

uint16_t DataPageRowCount(const Format& format, const std::vector<uint8_t>& page) {
  return LoadU16(page.data() + format.data_row_count_offset);
}

uint32_t DataPageOwner(const std::vector<uint8_t>& page) {
  return LoadU32(page.data() + Format::kDataOwnerOffset);
}

SlotFault FindRowSlot(const Format& format, const std::vector<uint8_t>& page, uint16_t slot,
                      RowSlot* row) {
  const uint16_t count = DataPageRowCount(format, page);
  const size_t table_end = format.data_row_table_offset + size_t{count} * Format::kRowSlotSize;
  if (slot >= count || table_end > page.size()) return SlotFault::kNoSuchSlot;
  const uint16_t raw =
      LoadU16(page.data() + format.data_row_table_offset + slot * Format::kRowSlotSize);
  row->deleted = (raw & Format::kRowDeletedFlag) != 0;
  row->lookup = (raw & Format::kRowLookupFlag) != 0;
  row->start = raw & Format::kRowOffsetMask;
  row->end = slot == 0 ? page.size()
                       : LoadU16(page.data() + format.data_row_table_offset +
                                 (slot - 1) * Format::kRowSlotSize) &
                             Format::kRowOffsetMask;
  if (row->start < table_end || row->start > row->end || row->end > page.size()) {
    return SlotFault::kOutsideRowArea;
  }
  return SlotFault::kNone;
}

Status LocateRow(const PageFile& file, const Format& format, uint32_t page_number,
                 const std::vector<uint8_t>& page, uint16_t slot, RowSlot* row) {
  const auto where = [&] {
    return file.path() + ": page " + std::to_string(page_number) + " row " + std::to_string(slot);
  };
  switch (FindRowSlot(format, page, slot, row)) {
    case SlotFault::kNone:
      return Status::OK();
    case SlotFault::kNoSuchSlot:
      return Status::Corruption(where() + ": no such row on the page");
    case SlotFault::kOutsideRowArea:
      break;
  }
  return Status::Corruption(where() + ": row offset " + std::to_string(row->start) + ".." +
                            std::to_string(row->end) + " lies outside the page's row area");
}

}  // namespace jet
