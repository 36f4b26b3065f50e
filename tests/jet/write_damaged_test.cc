// Writing to a damaged file gives an error or succeeds, never a crash or a
// hang: each case damages one byte of a small file made by the writer, then
// inserts and updates.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "writer_test_util.h"

namespace {

constexpr int kDamagedCopies = 150;
constexpr size_t kPageSize = 4096;

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Every call may fail; none may crash.
void TryWrites(const std::string& file) {
  std::unique_ptr<jet::Database> db;
  if (!jet::Database::Open(file, jet::OpenMode::kReadWrite, &db).ok()) return;
  std::unique_ptr<jet::Table> table;
  if (!db->OpenTable("t", &table).ok()) return;
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  if (cursor->Next()) {
    (void)table->Update(cursor->row_id(), "word", std::string(200, 'u'));
    (void)table->Update(cursor->row_id(), "note", std::string(5000, 'n'));
  }
  (void)table->Insert({{"9", "new", "memo", "c"}});
  (void)db->CreateTable("another", {{"x", jet::ColumnType::kText, 10}});
}

TEST(WriteDamaged, ErrorsNotCrashes) {
  jet_test::ScratchDir dir;
  const std::string original = dir.File("original.mdb");
  {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Create(original, &db).ok());
    ASSERT_TRUE(db->CreateTable("t", {{"id", jet::ColumnType::kLongInteger},
                                      {"word", jet::ColumnType::kText, 255},
                                      {"note", jet::ColumnType::kMemo},
                                      {"class", jet::ColumnType::kText, 10}})
                    .ok());
    std::unique_ptr<jet::Table> table;
    ASSERT_TRUE(db->OpenTable("t", &table).ok());
    std::vector<jet::RowValues> rows;
    for (int i = 0; i < 40; ++i)
      rows.push_back({std::to_string(i), "w", std::string(300, 'm'), "c"});
    ASSERT_TRUE(table->Insert(rows).ok());
  }
  const std::string bytes = jet_test::FileBytes(original);
  std::mt19937 random(7);
  // Damage page headers and slot tables (the first bytes of each page) and
  // the ends of pages, where rows and usage maps lie.
  std::uniform_int_distribution<size_t> page(1, bytes.size() / kPageSize - 1);
  std::uniform_int_distribution<size_t> near_edge(0, 63);
  std::uniform_int_distribution<int> value(0, 255);
  const std::string file = dir.File("damaged.mdb");
  for (int i = 0; i < kDamagedCopies; ++i) {
    std::string damaged = bytes;
    const size_t at =
        page(random) * kPageSize + (i % 2 ? near_edge(random) : kPageSize - 1 - near_edge(random));
    damaged[at] = static_cast<char>(value(random));
    WriteBytes(file, damaged);
    TryWrites(file);
  }
}

}  // namespace
