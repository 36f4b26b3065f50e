// Small .mdb files for the store tests, written with the engine into a
// scratch directory, and read back through it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "jet/database.h"
#include "jet/table.h"
#include "engine_rows.h"
#include "scratch_dir.h"

namespace lexmira::testing {

using test_support::ReadRows;
using test_support::ScratchDir;

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

}  // namespace lexmira::testing
