#include "jet/long_value.h"

#include <algorithm>
#include <unordered_set>

#include "jet/little_endian.h"
#include "jet/row_slot.h"

namespace jet {

Status LongValueReader::ReadRow(uint32_t pointer, const uint8_t** data, size_t* size) {
  const uint32_t page = RowPointerPage(pointer);
  if (page_.empty() || page != page_number_) {
    Status s = file_.ReadPage(page, &page_);
    if (!s.ok()) {
      page_.clear();
      return s;
    }
    page_number_ = page;
  }
  if (!IsPageType(page_, PageType::kData)) {
    return Status::Corruption("long value page " + std::to_string(page) + " is not a data page");
  }
  RowSlot row;
  Status s = LocateRow(file_, format_, page, page_, RowPointerSlot(pointer), &row);
  if (!s.ok()) return s;
  if (row.deleted) {
    return Status::Corruption("long value row " + std::to_string(page) + ":" +
                              std::to_string(RowPointerSlot(pointer)) + " is deleted");
  }
  *data = page_.data() + row.start;
  *size = row.end - row.start;
  return Status::OK();
}

Status LongValueReader::Read(const uint8_t* field, size_t size, std::string* value,
                             std::vector<uint32_t>* rows) {
  value->clear();
  if (rows != nullptr) rows->clear();
  if (size < Format::kLongValueHeaderSize) {
    return Status::Corruption("long value header is " + std::to_string(size) + " bytes");
  }
  const uint32_t length = LoadU32(field) & Format::kLongValueLengthMask;
  const uint32_t kind = LoadU32(field) & Format::kLongValueKindMask;
  bool fits_in_file;
  if (Status s = file_.HasPage(length / file_.page_size(), &fits_in_file); !s.ok()) return s;
  if (!fits_in_file) {
    return Status::Corruption("long value claims " + std::to_string(length) +
                              " bytes, more than the file holds");
  }
  if (kind == Format::kLongValueInline) {
    if (length > size - Format::kLongValueHeaderSize) {
      return Status::Corruption("inline long value runs past its row");
    }
    value->assign(reinterpret_cast<const char*>(field + Format::kLongValueHeaderSize), length);
    return Status::OK();
  }

  uint32_t pointer = LoadU32(field + Format::kLongValuePointerOffset);
  const uint8_t* data;
  size_t data_size;
  if (kind == Format::kLongValueSingleRow) {
    Status s = ReadRow(pointer, &data, &data_size);
    if (!s.ok()) return s;
    if (rows != nullptr) rows->push_back(pointer);
    if (data_size < length) {
      return Status::Corruption("long value row holds " + std::to_string(data_size) + " bytes of " +
                                std::to_string(length));
    }
    value->assign(reinterpret_cast<const char*>(data), length);
    return Status::OK();
  }
  if (kind != Format::kLongValueRowChain) {
    return Status::Corruption("long value has an unknown storage kind (both kind bits set)");
  }

  std::unordered_set<uint32_t> seen;
  value->reserve(length);
  while (value->size() < length) {
    if (pointer == 0) {
      return Status::Corruption("long value chain ends after " + std::to_string(value->size()) +
                                " of " + std::to_string(length) + " bytes");
    }
    if (!seen.insert(pointer).second) {
      return Status::Corruption("long value chain loops back to page " +
                                std::to_string(RowPointerPage(pointer)));
    }
    Status s = ReadRow(pointer, &data, &data_size);
    if (!s.ok()) return s;
    if (rows != nullptr) rows->push_back(pointer);
    if (data_size < Format::kLongValueChainPointerSize) {
      return Status::Corruption("long value row is too short");
    }
    pointer = LoadU32(data);
    const size_t take =
        std::min<size_t>(data_size - Format::kLongValueChainPointerSize, length - value->size());
    value->append(reinterpret_cast<const char*>(data + Format::kLongValueChainPointerSize), take);
  }
  return Status::OK();
}

}  // namespace jet
