// LongValueWriter: stores memo and OLE values. A value's 12-byte field in the
// row holds its length and flags and either the value itself (short values),
// a pointer to one row on a long value page, or to the first of a chain of
// such rows, each starting with the pointer to the next.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jet/page_batch.h"
#include "jet/status.h"

namespace jet {

class LongValueWriter {
 public:
  // *batch must outlive the writer; new long value pages join it.
  explicit LongValueWriter(PageBatch* batch) : batch_(batch) {}

  // Stores `data` (the value's bytes as stored) and sets *field to the row's
  // 12-byte field. Values up to kInlineLimit bytes stay in the row.
  Status Write(std::string_view data, std::string* field);

  static constexpr size_t kInlineLimit = 256;

 private:
  // Adds a row to the current long value page, starting a new one when
  // full; *pointer gets where it went.
  Status AddRow(std::string_view row, uint32_t* pointer);

  PageBatch* const batch_;
  uint32_t current_page_ = 0;  // 0: none yet
};

// Deletes the long value rows `rows` (row pointers) of a value nothing
// refers to any more, and gives the pages they leave empty back to the
// global page map.
Status FreeLongValueRows(PageBatch* batch, const std::vector<uint32_t>& rows);

}  // namespace jet
