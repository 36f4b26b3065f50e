// Encodes one Jet 4 row: column count, fixed area, variable area, the end of
// data and the variable offsets (last column first), their count, and the
// null mask (one bit per column number, set when not null; a Boolean's bit is
// its value).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

// A column's value as stored: the exact bytes of a fixed column, the bytes
// of a variable one (text already encoded, a long value's 12-byte field), or
// for a Boolean one byte, 0 or 1. nullopt is null (false for a Boolean).
using StoredValue = std::optional<std::string>;

// Encodes a row of `def` from one value per column (def.columns order).
// InvalidArgument when the values do not match the columns or the row would
// not fit on a page of `page_size` bytes.
Status EncodeRow(const TableDef& def, const std::vector<StoredValue>& values, size_t page_size,
                 std::string* row);

// The inverse: the stored value of every column of `def` in a Jet 4 row,
// columns the row predates being null. Corruption when the row's structure
// does not hold together.
Status DecodeStoredRow(const TableDef& def, std::string_view row, std::vector<StoredValue>* values);

}  // namespace jet
