#include "jet/table_cursor.h"

#include "jet/row_slot.h"
#include "jet/little_endian.h"
#include "jet/whole_number.h"

namespace jet {

namespace {

// Jet moves a row at most once more before rewriting the pointer; anything
// longer is a loop in a damaged file.
constexpr int kMaxMoveHops = 4;

}  // namespace

TableCursor::TableCursor(const PageFile& file, const Format& format, const TableDef& def)
    : file_(file),
      format_(format),
      def_(def),
      map_pages_(file),
      decoder_(format, def),
      values_(file, format) {}

Status TableCursor::Located(Status s) const {
  if (s.message().starts_with(file_.path() + ":")) return s;
  return s.WithContext(file_.path() + ": table '" + def_.name + "', page " +
                       std::to_string(row_id_.page) + " row " + std::to_string(row_id_.slot));
}

bool TableCursor::Next() {
  if (at_end_ || !status_.ok()) return false;
  bool found = false;
  status_ = Advance(&found);
  if (!status_.ok() || !found) {
    at_end_ = true;
    return false;
  }
  return true;
}

Status TableCursor::NextOwnedPage(bool* found) {
  if (!map_read_) {
    Status s = UsageMap::Load(&map_pages_, format_, def_.used_pages_pointer,
                              UsageMap::Unmapped::kOff, &map_);
    if (!s.ok()) return s;
    map_read_ = true;
  }
  while (true) {
    uint32_t page;
    Status s = map_.NextPage(&map_pages_, next_page_from_, &page, found);
    if (!s.ok() || !*found) return s;
    next_page_from_ = page + 1;
    s = file_.ReadPage(page, &page_);
    if (!s.ok()) return s;
    // A map may list pages the table has since given up; only its own data
    // pages hold its rows.
    if (!IsPageType(page_, PageType::kData) || DataPageOwner(page_) != def_.definition_page) {
      continue;
    }
    page_number_ = page;
    slot_count_ = DataPageRowCount(format_, page_);
    next_slot_ = 0;
    return Status::OK();
  }
}

Status TableCursor::Advance(bool* found) {
  while (true) {
    if (!have_page_) {
      Status s = NextOwnedPage(found);
      if (!s.ok() || !*found) return s;
      have_page_ = true;
    }
    while (next_slot_ < slot_count_) {
      const uint16_t slot_number = next_slot_++;
      row_id_ = {page_number_, slot_number};
      RowSlot slot;
      Status s = LocateRow(file_, format_, page_number_, page_, slot_number, &slot);
      if (!s.ok()) return s;
      if (slot.deleted) continue;
      const uint8_t* row = page_.data() + slot.start;
      size_t size = slot.end - slot.start;
      if (slot.lookup) {
        s = FollowMovedRow(slot, &row, &size);
        if (!s.ok()) return AtRow(s);
      }
      s = decoder_.Parse(row, size);
      if (!s.ok()) return AtRow(s);
      *found = true;
      return Status::OK();
    }
    have_page_ = false;
  }
}

Status TableCursor::FollowMovedRow(const RowSlot& slot, const uint8_t** row, size_t* size) {
  RowSlot current = slot;
  const std::vector<uint8_t>* page = &page_;
  for (int hop = 0; hop < kMaxMoveHops; ++hop) {
    if (current.end - current.start < Format::kRowPointerSize) {
      return Status::Corruption("moved row's pointer is too short");
    }
    const uint32_t pointer = LoadU32(page->data() + current.start);
    const uint32_t target = RowPointerPage(pointer);
    Status s = file_.ReadPage(target, &moved_page_);
    if (!s.ok()) return s;
    if (!IsPageType(moved_page_, PageType::kData) ||
        DataPageOwner(moved_page_) != def_.definition_page) {
      return Status::Corruption("row moved to page " + std::to_string(target) +
                                ", which is not one of the table's data pages");
    }
    // The moved copy is marked deleted so that a scan does not meet it twice.
    s = LocateRow(file_, format_, target, moved_page_, RowPointerSlot(pointer), &current);
    if (!s.ok()) return s;
    page = &moved_page_;
    if (!current.lookup) {
      *row = moved_page_.data() + current.start;
      *size = current.end - current.start;
      return Status::OK();
    }
  }
  return Status::Corruption("moved row's pointers go round in a loop");
}

Status TableCursor::Field(size_t index, FieldBytes* field) const {
  if (index >= def_.columns.size()) {
    return Status::InvalidArgument("table '" + def_.name + "' has no column " +
                                   std::to_string(index));
  }
  return AtRow(decoder_.Field(def_.columns[index], field));
}

Status TableCursor::Value(size_t index, std::string* text, bool* is_null) {
  text->clear();
  FieldBytes field;
  Status s = Field(index, &field);
  if (!s.ok()) return s;
  *is_null = field.is_null;
  return AtRow(values_.Append(def_.columns[index], field, text));
}

Status TableCursor::WholeNumber(size_t index, std::optional<int64_t>* value) {
  FieldBytes field;
  Status s = Field(index, &field);
  if (!s.ok()) return s;
  return AtRow(jet::WholeNumber(def_.columns[index], field, value));
}

}  // namespace jet
