// Cursor: walks a table's live rows forward and reads their values as text,
// whole numbers also as numbers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/status.h"
#include "jet/table.h"

namespace jet {

class Cursor {
 public:
  virtual ~Cursor() = default;

  // Moves to the next live row, skipping deleted ones and following moved
  // ones. Returns false at the end or on error; status() tells which.
  virtual bool Next() = 0;
  virtual const Status& status() const = 0;

  // Valid after Next() returned true.
  virtual RowId row_id() const = 0;
  // The current row's value of column `index` (TableDef::columns order) as
  // text: UTF-8 for text, decimal for numbers; *is_null tells null apart from
  // empty text (both give "").
  virtual Status Value(size_t index, std::string* text, bool* is_null) = 0;
  // The current row's value of column `index`, a whole-number column, as a
  // number without making text of it; nullopt for null. For scans that
  // compare numbers on every row.
  virtual Status WholeNumber(size_t index, std::optional<int64_t>* value) = 0;
};

}  // namespace jet
