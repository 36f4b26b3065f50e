// lexmira-mdb set FILE TABLE COLUMN VALUE: sets COLUMN of TABLE's first row,
// inserting a row with just that column when the table has none; the write
// the settings store makes for each saved setting.
#include <memory>

#include "commands.h"
#include "jet/database.h"
#include "jet/table.h"

namespace lexmira_mdb {

int RunSet(const Args& args) {
  const std::string& path = args[0];
  const std::string& table_name = args[1];
  const std::string& column = args[2];
  const std::string& value = args[3];
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(path, jet::OpenMode::kReadWrite, &db);
  if (!s.ok()) return Fail(s.message());
  std::unique_ptr<jet::Table> table;
  s = db->OpenTable(table_name, &table);
  if (!s.ok()) return Fail(s.message());

  s = table->SetInFirstRow(column, value);
  return s.ok() ? 0 : Fail(s.message());
}

}  // namespace lexmira_mdb
