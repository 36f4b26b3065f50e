// Table: one open table, its definition and the operations on its rows.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

class Cursor;
class Database;

// Where a row lives: its data page and its slot on that page. A row that
// moves to another page keeps its RowId (its first slot points to it).
struct RowId {
  uint32_t page = 0;
  uint16_t slot = 0;
  bool operator==(const RowId&) const = default;
};

// One value per column, in column order; nullopt is null. Values are text:
// UTF-8 for text and memo, decimal for numbers.
using RowValues = std::vector<std::optional<std::string>>;

class Table {
 public:
  Table(Database* db, TableDef def);
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  const TableDef& def() const { return def_; }

  // A cursor before the first row, in data-page order then slot order.
  // The cursor must not outlive this Table.
  std::unique_ptr<Cursor> NewCursor() const;

  // Appends rows and returns once they are on disk. Refused, with nothing
  // written, on a Jet 3 file or a table with indexes.
  Status Insert(const std::vector<RowValues>& rows);
  // Sets one column of an existing row (nullopt sets null) and returns once
  // the change is on disk. A row that no longer fits its page moves.
  // Refused, with nothing written, when the column is part of an index.
  Status Update(RowId row, const std::string& column, const std::optional<std::string>& value);
  // Sets one column of the table's first row, adding a row that holds only
  // this value when the table has none. Which of the two happens is decided
  // under the write lock, so two writers of an empty table never both add a
  // row.
  Status SetInFirstRow(const std::string& column, const std::optional<std::string>& value);

 private:
  // The write calls' common checks and their work once the lock is held;
  // `def` is the definition as the file holds it now.
  Status CheckUpdatable(const std::string& column, const ColumnDef** target) const;
  Status InsertLocked(TableDef* def, const std::vector<RowValues>& rows);
  // `column` indexes def.columns, whose columns are this table's.
  Status UpdateLocked(const TableDef& def, RowId row, size_t column,
                      const std::optional<std::string>& value);
  // The index of one of def().columns.
  size_t ColumnIndex(const ColumnDef& column) const;
  // The definition as the file holds it now; call with the lock held.
  Status ReadCurrentDef(TableDef* def) const;

  Database* const db_;
  TableDef def_;
};

}  // namespace jet
