#include "jet/data_page.h"

#include <cstring>

#include "jet/little_endian.h"
#include "jet/row_slot.h"

namespace jet {

DataPage::DataPage(const Format& format, std::vector<uint8_t>* page, std::string where)
    : format_(format), page_(page), where_(std::move(where)) {}

void DataPage::Init(const Format& format, uint32_t owner, std::vector<uint8_t>* page) {
  page->assign(format.page_size, 0);
  SetPageType(PageType::kData, page);
  uint8_t* p = page->data();
  StoreU32(p + Format::kDataOwnerOffset, owner);
  StoreU16(p + format.data_row_count_offset, 0);
  StoreU16(p + Format::kPageFreeSpaceOffset,
           static_cast<uint16_t>(format.page_size - format.data_row_table_offset));
}

uint16_t DataPage::row_count() const {
  // A damaged count may claim more slots than the page has room for.
  const size_t most = (format_.page_size - format_.data_row_table_offset) / Format::kRowSlotSize;
  const size_t stored = LoadU16(page_->data() + format_.data_row_count_offset);
  return static_cast<uint16_t>(stored < most ? stored : most);
}

uint16_t DataPage::live_row_count() const {
  uint16_t live = 0;
  for (uint16_t slot = 0; slot < row_count(); ++slot) {
    if (!(slot_flags(slot) & Format::kRowDeletedFlag)) ++live;
  }
  return live;
}

size_t DataPage::SlotPosition(uint16_t slot) const {
  return format_.data_row_table_offset + Format::kRowSlotSize * slot;
}

uint16_t DataPage::slot_flags(uint16_t slot) const {
  return LoadU16(page_->data() + SlotPosition(slot)) & ~Format::kRowOffsetMask;
}

size_t DataPage::RowsStart() const {
  size_t lowest = format_.page_size;
  for (uint16_t slot = 0; slot < row_count(); ++slot) {
    const size_t offset = LoadU16(page_->data() + SlotPosition(slot)) & Format::kRowOffsetMask;
    if (offset < lowest) lowest = offset;  // offsets past the page end are ignored
  }
  return lowest;
}

size_t DataPage::free_space() const {
  const size_t table_end = SlotPosition(row_count());
  const size_t start = RowsStart();
  return start > table_end ? start - table_end : 0;
}

void DataPage::SetFreeSpace(size_t free) {
  StoreU16(page_->data() + Format::kPageFreeSpaceOffset, static_cast<uint16_t>(free));
}

Status DataPage::Row(uint16_t slot, std::string_view* row) const {
  RowSlot found;
  switch (FindRowSlot(format_, *page_, slot, &found)) {
    case SlotFault::kNone:
      break;
    case SlotFault::kNoSuchSlot:
      return Status::Corruption(where_ + ": no row " + std::to_string(slot) + " on this page");
    case SlotFault::kOutsideRowArea:
      return Status::Corruption(where_ + ": row " + std::to_string(slot) + " lies outside its page");
  }
  *row = std::string_view(reinterpret_cast<const char*>(page_->data() + found.start),
                          found.end - found.start);
  return Status::OK();
}

uint16_t DataPage::Append(std::string_view row, uint16_t flags) {
  const uint16_t slot = row_count();
  const size_t start = RowsStart() - row.size();
  uint8_t* p = page_->data();
  std::memcpy(p + start, row.data(), row.size());
  StoreU16(p + SlotPosition(slot), static_cast<uint16_t>(start | flags));
  StoreU16(p + format_.data_row_count_offset, static_cast<uint16_t>(slot + 1));
  SetFreeSpace(free_space());
  return slot;
}

Status DataPage::Replace(uint16_t slot, std::string_view row, uint16_t flags, bool* fitted) {
  *fitted = false;
  const uint16_t count = row_count();
  std::vector<std::string> rows(count);
  std::vector<uint16_t> slot_flag(count);
  size_t total = 0;
  for (uint16_t i = 0; i < count; ++i) {
    std::string_view bytes;
    if (Status s = Row(i, &bytes); !s.ok()) return s;
    rows[i] = i == slot ? std::string(row) : std::string(bytes);
    slot_flag[i] = i == slot ? flags : slot_flags(i);
    total += rows[i].size();
  }
  if (SlotPosition(count) + total > format_.page_size) return Status::OK();

  uint8_t* p = page_->data();
  size_t end = format_.page_size;
  for (uint16_t i = 0; i < count; ++i) {
    end -= rows[i].size();
    std::memcpy(p + end, rows[i].data(), rows[i].size());
    StoreU16(p + SlotPosition(i), static_cast<uint16_t>(end | slot_flag[i]));
  }
  // The space between the slot table and the rows holds nothing any more.
  std::memset(p + SlotPosition(count), 0, end - SlotPosition(count));
  SetFreeSpace(free_space());
  *fitted = true;
  return Status::OK();
}

Status DataPage::Delete(uint16_t slot) {
  bool fitted = false;  // an empty row always fits
  return Replace(slot, {}, kDeletedRowFlags, &fitted);
}

}  // namespace jet
