#include "engine_rows.h"

#include <gtest/gtest.h>

#include <memory>

#include "jet/cursor.h"
#include "jet/database.h"

namespace test_support {

std::vector<jet::RowValues> ReadRows(const std::string& file, const std::string& table_name,
                                     std::vector<jet::ColumnDef>* columns) {
  std::vector<jet::RowValues> rows;
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(file, jet::OpenMode::kReadOnly, &db);
  EXPECT_TRUE(s.ok()) << s.message();
  if (!s.ok()) return rows;
  std::unique_ptr<jet::Table> table;
  s = db->OpenTable(table_name, &table);
  EXPECT_TRUE(s.ok()) << s.message();
  if (!s.ok()) return rows;
  if (columns != nullptr) *columns = table->def().columns;

  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  while (cursor->Next()) {
    jet::RowValues row;
    for (size_t i = 0; i < table->def().columns.size(); ++i) {
      std::string text;
      bool is_null = false;
      s = cursor->Value(i, &text, &is_null);
      EXPECT_TRUE(s.ok()) << s.message();
      row.emplace_back(is_null ? std::nullopt : std::optional<std::string>(text));
    }
    rows.push_back(std::move(row));
  }
  EXPECT_TRUE(cursor->status().ok()) << cursor->status().message();
  return rows;
}

}  // namespace test_support
