#include "jet/table.h"

#include "jet/database.h"
#include "jet/table_cursor.h"

namespace jet {

Table::Table(Database* db, TableDef def) : db_(db), def_(std::move(def)) {}

std::unique_ptr<Cursor> Table::NewCursor() const {
  return std::make_unique<TableCursor>(db_->file(), db_->format(), def_);
}

}  // namespace jet
