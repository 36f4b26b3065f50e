// Small .mdb files for the store tests, written with the engine into a
// temporary directory that is removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"

namespace lexmira::testing {

class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lexmira-data-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make " << pattern;
    path_ = pattern;
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }

  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct TableFixture {
  std::string name;
  std::vector<jet::ColumnSpec> columns;
  std::vector<jet::RowValues> rows;
};

inline jet::ColumnSpec Text(const std::string& name) { return {name, jet::ColumnType::kText}; }
inline jet::ColumnSpec Number(const std::string& name) {
  return {name, jet::ColumnType::kLongInteger};
}

inline void CreateDatabase(const std::string& path, const std::vector<TableFixture>& tables) {
  std::unique_ptr<jet::Database> db;
  jet::Status status = jet::Database::Create(path, &db);
  ASSERT_TRUE(status.ok()) << status.message();
  for (const TableFixture& table : tables) {
    status = db->CreateTable(table.name, table.columns);
    ASSERT_TRUE(status.ok()) << status.message();
    if (table.rows.empty()) continue;
    std::unique_ptr<jet::Table> open;
    status = db->OpenTable(table.name, &open);
    ASSERT_TRUE(status.ok()) << status.message();
    status = open->Insert(table.rows);
    ASSERT_TRUE(status.ok()) << status.message();
  }
}

// Every row of a table as the engine reads it back, for checking what the
// stores wrote.
inline std::vector<jet::RowValues> ReadAllRows(const std::string& path, const std::string& name) {
  std::vector<jet::RowValues> rows;
  std::unique_ptr<jet::Database> db;
  jet::Status status = jet::Database::Open(path, jet::OpenMode::kReadOnly, &db);
  EXPECT_TRUE(status.ok()) << status.message();
  if (!status.ok()) return rows;
  std::unique_ptr<jet::Table> table;
  status = db->OpenTable(name, &table);
  EXPECT_TRUE(status.ok()) << status.message();
  if (!status.ok()) return rows;
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  while (cursor->Next()) {
    jet::RowValues row;
    for (size_t i = 0; i < table->def().columns.size(); ++i) {
      std::string text;
      bool is_null = false;
      EXPECT_TRUE(cursor->Value(i, &text, &is_null).ok());
      row.push_back(is_null ? std::nullopt : std::optional<std::string>(text));
    }
    rows.push_back(row);
  }
  EXPECT_TRUE(cursor->status().ok()) << cursor->status().message();
  return rows;
}

}  // namespace lexmira::testing
