// The list of user tables follows the file: a table created through the same
// Database after the list was first read shows up at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "jet/database.h"
#include "jet/table.h"
#include "writer_test_util.h"

namespace {

TEST(Catalog, TableCreatedAfterListingIsFound) {
  jet_test::ScratchDir dir;
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Create(dir.File("grow.mdb"), &db).ok());
  std::vector<std::string> names;
  ASSERT_TRUE(db->ListTables(&names).ok());
  EXPECT_TRUE(names.empty());
  std::unique_ptr<jet::Table> table;
  EXPECT_EQ(db->OpenTable("Umsätze", &table).code(), jet::Status::Code::kNotFound);

  ASSERT_TRUE(db->CreateTable("Umsätze", {{"id", jet::ColumnType::kLongInteger}}).ok());
  ASSERT_TRUE(db->ListTables(&names).ok());
  EXPECT_EQ(names, std::vector<std::string>{"Umsätze"});
  ASSERT_TRUE(db->OpenTable("UMSÄTZE", &table).ok());
  EXPECT_EQ(table->def().name, "Umsätze");
}

}  // namespace
