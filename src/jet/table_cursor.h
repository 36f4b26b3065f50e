// TableCursor: the Cursor over a table's rows in stored order: the pages its
// usage map lists, in page order, then each page's row slots in order.
// Deleted rows are skipped; a row that moved to another page is read from
// there but keeps its place (and RowId) in this order.
#pragma once

#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/page_source.h"
#include "jet/row_decoder.h"
#include "jet/row_slot.h"
#include "jet/table_def.h"
#include "jet/usage_map.h"
#include "jet/value_text.h"

namespace jet {

class TableCursor : public Cursor {
 public:
  // `file`, `format` and `def` must outlive the cursor.
  TableCursor(const PageFile& file, const Format& format, const TableDef& def);

  bool Next() override;
  const Status& status() const override { return status_; }
  RowId row_id() const override { return row_id_; }
  Status Value(size_t index, std::string* text, bool* is_null) override;
  Status WholeNumber(size_t index, std::optional<int64_t>* value) override;

  // The current row's raw bytes of column `index`, for code that works on
  // stored values rather than text. Valid until the next call to Next().
  Status Field(size_t index, FieldBytes* field) const;

 private:
  Status Advance(bool* found);
  Status NextOwnedPage(bool* found);
  Status FollowMovedRow(const RowSlot& slot, const uint8_t** row, size_t* size);
  // Adds where the current row lies to an error that does not say so yet.
  Status AtRow(Status s) const { return s.ok() ? s : Located(std::move(s)); }
  Status Located(Status s) const;

  const PageFile& file_;
  const Format& format_;
  const TableDef& def_;
  UsageMap map_;
  FilePageSource map_pages_;  // the map's own pages, for the walk
  bool map_read_ = false;
  bool at_end_ = false;
  std::vector<uint8_t> page_;
  uint32_t page_number_ = 0;
  bool have_page_ = false;
  uint32_t next_page_from_ = 0;
  uint16_t slot_count_ = 0;
  uint16_t next_slot_ = 0;
  std::vector<uint8_t> moved_page_;  // the page a moved row was read from
  RowDecoder decoder_;
  ValueText values_;
  RowId row_id_;
  Status status_;
};

}  // namespace jet
