#include "writer_test_util.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "jet/cursor.h"
#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/page_file.h"

namespace jet_test {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "lexmira-jet-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::vector<CsvRecord> ReadTable(const std::string& file, const std::string& table_name,
                                 std::vector<jet::ColumnType>* types) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(file, jet::OpenMode::kReadOnly, &db);
  EXPECT_TRUE(s.ok()) << s.message();
  if (!s.ok()) return {};
  std::unique_ptr<jet::Table> table;
  s = db->OpenTable(table_name, &table);
  EXPECT_TRUE(s.ok()) << s.message();
  if (!s.ok()) return {};
  std::vector<CsvRecord> records(1);
  for (const jet::ColumnDef& column : table->def().columns) {
    records[0].emplace_back(column.name);
    if (types != nullptr) types->push_back(column.type);
  }
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  while (cursor->Next()) {
    CsvRecord record;
    for (size_t i = 0; i < table->def().columns.size(); ++i) {
      std::string text;
      bool is_null = false;
      s = cursor->Value(i, &text, &is_null);
      EXPECT_TRUE(s.ok()) << s.message();
      record.emplace_back(is_null ? std::nullopt : std::optional<std::string>(text));
    }
    records.push_back(std::move(record));
  }
  EXPECT_TRUE(cursor->status().ok()) << cursor->status().message();
  return records;
}

std::vector<CsvRecord> Records(const std::vector<std::string>& header,
                               const std::vector<jet::RowValues>& rows) {
  std::vector<CsvRecord> records(1);
  for (const std::string& name : header) records[0].emplace_back(name);
  for (const jet::RowValues& row : rows) records.emplace_back(row.begin(), row.end());
  return records;
}

namespace {

std::vector<uint8_t> ReadPage(const std::string& file, uint32_t n) {
  std::unique_ptr<jet::PageFile> pages;
  EXPECT_TRUE(jet::PageFile::Open(file, jet::OpenMode::kReadOnly, &pages).ok());
  std::vector<uint8_t> page(jet::Jet4Format().page_size);
  if (!pages) return page;
  pages->set_page_size(jet::Jet4Format().page_size);
  EXPECT_TRUE(pages->ReadPage(n, &page).ok());
  return page;
}

}  // namespace

uint16_t SlotFlags(const std::string& file, jet::RowId id) {
  std::vector<uint8_t> page = ReadPage(file, id.page);
  return jet::DataPage(jet::Jet4Format(), &page, file).slot_flags(id.slot);
}

std::string RowBytes(const std::string& file, jet::RowId id) {
  std::vector<uint8_t> page = ReadPage(file, id.page);
  std::string_view row;
  EXPECT_TRUE(jet::DataPage(jet::Jet4Format(), &page, file).Row(id.slot, &row).ok());
  return row.empty() ? std::string(1, '?') : std::string(row);
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace jet_test
