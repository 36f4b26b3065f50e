// Every table of every Access-made fixture reads the same through our engine
// as through Debian's mdb-export, an independent reader.
//
// Renderings that differ between the two are normalised so that only real
// disagreements fail:
// - dates: mdb-export is asked for "%Y-%m-%d %H:%M:%S", our own form;
// - binary and OLE: mdb-export is asked for hexadecimal, our own form;
// - Single and Double: compared as numbers, since the two readers may print
//   a different number of digits for the same value;
// - booleans: both print 1 and 0, compared as they stand;
// - moved rows: mdb-export prints a moved row where its new copy lies; we
//   return it at its original slot, as Jet does. Tables with moved rows are
//   compared as sets of rows, and their order is checked in a test of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "mdbtools_csv.h"
#include "writer_test_util.h"

namespace {

using jet_test::CsvRecord;

struct TableCase {
  std::string file;  // name in the fixtures directory
  std::string table;
};

std::string FixturePath(const std::string& name) {
  return std::string(LEXMIRA_FIXTURES_DIR) + "/" + name;
}

// Tables whose moved rows mdb-export prints out of Jet's order.
bool HasMovedRows(const TableCase& c) {
  return c.file == "overflowTestV2000.mdb" && c.table == "Table1";
}

std::vector<std::string> FixtureFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(LEXMIRA_FIXTURES_DIR)) {
    if (entry.path().extension() == ".mdb") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<TableCase> AllTables() {
  std::vector<TableCase> cases;
  for (const std::string& file : FixtureFiles()) {
    for (const std::string& table : jet_test::MdbTables(FixturePath(file))) {
      cases.push_back({file, table});
    }
  }
  return cases;
}

bool IsFloat(jet::ColumnType type) {
  return type == jet::ColumnType::kSingle || type == jet::ColumnType::kDouble;
}

// Rewrites float fields as numbers printed to 6 significant digits, what a
// Single holds and what mdb-export shows at least.
void NormaliseFloats(const std::vector<jet::ColumnType>& types, std::vector<CsvRecord>* records) {
  for (size_t r = 1; r < records->size(); ++r) {
    CsvRecord& record = (*records)[r];
    for (size_t i = 0; i < record.size() && i < types.size(); ++i) {
      if (!IsFloat(types[i]) || !record[i] || record[i]->empty()) continue;
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.6g", std::stod(*record[i]));
      record[i] = buffer;
    }
  }
}

class GroundTruthTest : public testing::TestWithParam<TableCase> {};

TEST_P(GroundTruthTest, RowsEqualMdbExport) {
  const TableCase& c = GetParam();
  std::vector<jet::ColumnType> types;
  std::vector<CsvRecord> ours = jet_test::ReadTable(FixturePath(c.file), c.table, &types);
  std::vector<CsvRecord> theirs = jet_test::MdbExport(FixturePath(c.file), c.table);
  ASSERT_FALSE(theirs.empty());
  // mdb-export quotes no header names; ours come as text.
  NormaliseFloats(types, &ours);
  NormaliseFloats(types, &theirs);
  if (HasMovedRows(c)) {
    std::sort(ours.begin() + 1, ours.end());
    std::sort(theirs.begin() + 1, theirs.end());
  }
  ASSERT_EQ(ours.size(), theirs.size()) << "row count";
  for (size_t r = 0; r < ours.size(); ++r) {
    EXPECT_EQ(ours[r], theirs[r]) << "record " << r << " (0 is the header)";
  }
}

std::string CaseName(const testing::TestParamInfo<TableCase>& info) {
  std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" + info.param.table;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GroundTruthTest, testing::ValuesIn(AllTables()), CaseName);

TEST(GroundTruth, ListsTheSameTablesAsMdbTables) {
  const std::vector<std::string> files = FixtureFiles();
  ASSERT_GE(files.size(), 10u) << "fixtures missing from " << LEXMIRA_FIXTURES_DIR;
  for (const std::string& file : files) {
    std::unique_ptr<jet::Database> db;
    jet::Status s = jet::Database::Open(FixturePath(file), jet::OpenMode::kReadOnly, &db);
    ASSERT_TRUE(s.ok()) << s.message();
    std::vector<std::string> names;
    s = db->ListTables(&names);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(names, jet_test::MdbTables(FixturePath(file))) << file;
  }
}

// A moved row keeps its place: rows 3 and 5 of this table were moved to
// other pages when they grew, yet are read between rows 2 and 4, and 4 and 6.
TEST(GroundTruth, MovedRowsKeepTheirPlace) {
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(FixturePath("overflowTestV2000.mdb"), jet::OpenMode::kReadOnly,
                                  &db)
                  .ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(db->OpenTable("Table1", &table).ok());
  const jet::ColumnDef* col1 = table->def().FindColumn("data1");
  const jet::ColumnDef* col2 = table->def().FindColumn("data3");
  ASSERT_NE(col1, nullptr);
  ASSERT_NE(col2, nullptr);
  const size_t i1 = col1 - table->def().columns.data();
  const size_t i2 = col2 - table->def().columns.data();
  std::vector<std::string> seen;
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  while (cursor->Next()) {
    std::string a, b;
    bool null_a, null_b;
    ASSERT_TRUE(cursor->Value(i1, &a, &null_a).ok());
    ASSERT_TRUE(cursor->Value(i2, &b, &null_b).ok());
    seen.push_back(null_a ? b : a);
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"row1col1", "row2col1", "row3col3", "row4col1",
                                            "row5col2", "row6col2", "row7col1"}));
}

}  // namespace
