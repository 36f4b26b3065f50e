#include "jet/long_value_writer.h"

#include <set>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/page_allocator.h"
#include "jet/row_slot.h"

namespace jet {

namespace {

constexpr uint32_t kMaxLength = 0x00ffffff;

std::string Field(uint32_t length_and_flags, uint32_t pointer) {
  std::string field(Format::kLongValueHeaderSize, '\0');
  auto* p = reinterpret_cast<uint8_t*>(field.data());
  StoreU32(p, length_and_flags);
  StoreU32(p + Format::kLongValuePointerOffset, pointer);
  return field;
}

}  // namespace

Status LongValueWriter::AddRow(std::string_view row, uint32_t* pointer) {
  const Format& format = batch_->format();
  std::vector<uint8_t>* page = nullptr;
  if (current_page_ != 0) {
    if (Status s = batch_->Edit(current_page_, WritePhase::kBeforeCommit, &page); !s.ok()) {
      return s;
    }
    DataPage data(format, page, batch_->Where(current_page_));
    if (!data.Fits(row.size())) page = nullptr;
  }
  if (page == nullptr) {
    current_page_ = batch_->Allocate(&page);
    DataPage::Init(format, kLongValuePageTag, page);
  }
  DataPage data(format, page, batch_->Where(current_page_));
  *pointer = MakeRowPointer(current_page_, data.Append(row, 0));
  return Status::OK();
}

Status LongValueWriter::Write(std::string_view data, std::string* field) {
  if (data.size() > kMaxLength) {
    return Status::InvalidArgument("a long value of " + std::to_string(data.size()) +
                                   " bytes is longer than this engine stores");
  }
  const auto length = static_cast<uint32_t>(data.size());
  if (data.size() <= kInlineLimit) {
    *field = Field(length | Format::kLongValueInline, 0);
    field->append(data);
    return Status::OK();
  }
  const Format& format = batch_->format();
  const size_t page_room = DataPage::MaxRowSize(format);
  if (data.size() <= page_room) {
    uint32_t pointer;
    if (Status s = AddRow(data, &pointer); !s.ok()) return s;
    *field = Field(length | Format::kLongValueSingleRow, pointer);
    return Status::OK();
  }
  // A chain: each piece fills a page of its own and names the next; written
  // last piece first so that each knows where its successor went.
  const size_t piece = page_room - Format::kLongValueChainPointerSize;
  const size_t pieces = (data.size() + piece - 1) / piece;
  uint32_t next = 0;
  for (size_t i = pieces; i-- > 0;) {
    const std::string_view part = data.substr(i * piece, piece);
    std::string row(Format::kLongValueChainPointerSize, '\0');
    StoreU32(reinterpret_cast<uint8_t*>(row.data()), next);
    row.append(part);
    current_page_ = 0;  // every piece on a page of its own
    if (Status s = AddRow(row, &next); !s.ok()) return s;
  }
  current_page_ = 0;
  *field = Field(length, next);
  return Status::OK();
}

Status FreeLongValueRows(PageBatch* batch, const std::vector<uint32_t>& rows) {
  std::set<uint32_t> pages;
  for (uint32_t pointer : rows) {
    const uint32_t n = RowPointerPage(pointer);
    std::vector<uint8_t>* page;
    if (Status s = batch->Edit(n, WritePhase::kBeforeCommit, &page); !s.ok()) return s;
    if (DataPageOwner(*page) != kLongValuePageTag) {
      return Status::Corruption(batch->Where(n) + ": not a long value page");
    }
    if (Status s = DataPage(batch->format(), page, batch->Where(n)).Delete(RowPointerSlot(pointer));
        !s.ok()) {
      return s;
    }
    pages.insert(n);
  }
  std::vector<uint32_t> emptied;
  for (uint32_t n : pages) {
    std::vector<uint8_t>* page;
    if (Status s = batch->Edit(n, WritePhase::kBeforeCommit, &page); !s.ok()) return s;
    if (DataPage(batch->format(), page, batch->Where(n)).live_row_count() == 0) {
      emptied.push_back(n);
    }
  }
  return MarkPagesFree(batch, emptied, WritePhase::kCommit);
}

}  // namespace jet
