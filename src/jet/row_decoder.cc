#include "jet/row_decoder.h"

#include "jet/little_endian.h"

namespace jet {

namespace {

constexpr size_t kJet3OffsetSpan = 256;     // one-byte offsets reach this far
constexpr uint8_t kJet3UnusedJump = 0xff;   // padding entry of the jump table

size_t NullMaskSize(uint16_t column_count) { return (size_t{column_count} + 7) / 8; }

}  // namespace

Status RowDecoder::Parse(const uint8_t* row, size_t size) {
  row_ = row;
  size_ = size;
  var_count_ = 0;
  const size_t count_size = format_.row_column_count_size;
  if (size < count_size) return Status::Corruption("row is too short");
  column_count_ = count_size == 2 ? LoadU16(row) : row[0];
  const size_t mask_size = NullMaskSize(column_count_);
  if (size < count_size + mask_size) {
    return Status::Corruption("row of " + std::to_string(size) + " bytes cannot hold " +
                              std::to_string(column_count_) + " columns");
  }
  null_mask_ = row + size - mask_size;
  if (def_.var_column_count == 0) return Status::OK();
  return ReadVarOffsets(size - mask_size);
}

Status RowDecoder::ReadVarOffsets(size_t trailer_end) {
  const size_t offset_size = format_.row_var_offset_size;
  const size_t fixed_start = format_.row_column_count_size;
  if (trailer_end < fixed_start + offset_size) {
    return Status::Corruption("row is too short for its variable columns");
  }
  size_t pos = trailer_end - offset_size;
  var_count_ = offset_size == 2 ? LoadU16(row_ + pos) : row_[pos];

  // Jet 3 rows longer than one offset span carry a jump table, one entry per
  // further span: the index of the first offset that lies in that span.
  size_t jump_count = 0;
  const uint8_t* jumps = nullptr;
  if (format_.version == JetVersion::kJet3) {
    jump_count = (size_ - 1) / kJet3OffsetSpan;
    if (pos < jump_count + fixed_start) {
      return Status::Corruption("row is too short for its jump table");
    }
    pos -= jump_count;
    jumps = row_ + pos;
  }
  // The offsets of var_count columns plus the end-of-data offset, reversed.
  const size_t entries = size_t{var_count_} + 1;
  if (pos < entries * offset_size + fixed_start) {
    return Status::Corruption("row is too short for " + std::to_string(var_count_) +
                              " variable columns");
  }
  const size_t data_end = pos - entries * offset_size;
  var_offsets_.resize(entries);
  for (size_t i = 0; i < entries; ++i) {
    const uint8_t* p = row_ + pos - (i + 1) * offset_size;
    size_t offset = offset_size == 2 ? LoadU16(p) : *p;
    for (size_t j = 0; j < jump_count; ++j) {
      if (jumps[j] != kJet3UnusedJump && jumps[j] <= i) offset += kJet3OffsetSpan;
    }
    const size_t floor = i == 0 ? fixed_start : var_offsets_[i - 1];
    if (offset < floor || offset > data_end) {
      return Status::Corruption("variable column offset " + std::to_string(offset) +
                                " lies outside the row's data");
    }
    var_offsets_[i] = static_cast<uint16_t>(offset);
  }
  return Status::OK();
}

Status RowDecoder::Field(const ColumnDef& column, FieldBytes* field) const {
  *field = FieldBytes();
  const bool stored = column.number < column_count_;
  const bool present =
      stored && (null_mask_[column.number / 8] & (1u << (column.number % 8))) != 0;
  if (column.type == ColumnType::kBoolean) {
    field->is_null = false;
    field->boolean = present;
    return Status::OK();
  }
  if (!present) return Status::OK();

  size_t start, end;
  if (column.is_fixed()) {
    start = format_.row_column_count_size + size_t{column.fixed_offset};
    end = start + column.fixed_size();
    // Fixed data ends where the variable data begins.
    const size_t limit =
        def_.var_column_count == 0 ? size_ - NullMaskSize(column_count_) : var_offsets_[0];
    if (end > limit) {
      return Status::Corruption("column '" + column.name +
                                "' runs past the row's fixed data");
    }
  } else {
    if (column.var_index >= var_count_) return Status::OK();  // added after the row
    start = var_offsets_[column.var_index];
    end = var_offsets_[column.var_index + 1];
  }
  field->is_null = false;
  field->data = row_ + start;
  field->size = end - start;
  return Status::OK();
}

}  // namespace jet
