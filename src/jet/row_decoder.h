// RowDecoder: splits a stored row into its columns' bytes, as the table's
// definition lays them out. A row records how many columns it was written
// with; columns added since read as null.
//
// Jet 4 row:  count(2) fixed... var... eod(2) var_offsets(2 each, reversed)
//             var_count(2) null_mask
// Jet 3 row:  the same with one-byte count, offsets and var_count, plus a
//             jump table after the offsets that adds 256 to the offsets of
//             the columns at and after each listed column.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

// One column's bytes within a row.
struct FieldBytes {
  bool is_null = true;
  bool boolean = false;  // a Boolean column's value, kept in the null mask
  const uint8_t* data = nullptr;
  size_t size = 0;
};

class RowDecoder {
 public:
  // `format` and `def` must outlive the decoder.
  RowDecoder(const Format& format, const TableDef& def) : format_(format), def_(def) {}

  // Reads the layout of the row row[0..size). The bytes must stay live and
  // unchanged while fields are read. Errors say what is wrong with the row;
  // the caller adds where it lies.
  Status Parse(const uint8_t* row, size_t size);

  // The bytes of `column` (one of the definition's columns) in the parsed row.
  Status Field(const ColumnDef& column, FieldBytes* field) const;

 private:
  Status ReadVarOffsets(size_t trailer_end);

  const Format& format_;
  const TableDef& def_;
  const uint8_t* row_ = nullptr;
  size_t size_ = 0;
  uint16_t column_count_ = 0;
  const uint8_t* null_mask_ = nullptr;
  // Start of each stored variable column, then the end of the last one; kept
  // between rows so that parsing does not allocate.
  std::vector<uint16_t> var_offsets_;
  uint16_t var_count_ = 0;
};

}  // namespace jet
