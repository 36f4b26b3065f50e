#include "writer_test_util.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "engine_rows.h"
#include "jet/data_page.h"
#include "jet/page_file.h"

namespace jet_test {

std::vector<CsvRecord> ReadTable(const std::string& file, const std::string& table_name,
                                 std::vector<jet::ColumnType>* types) {
  std::vector<jet::ColumnDef> columns;
  std::vector<jet::RowValues> rows = test_support::ReadRows(file, table_name, &columns);
  std::vector<CsvRecord> records(1);
  for (const jet::ColumnDef& column : columns) {
    records[0].emplace_back(column.name);
    if (types != nullptr) types->push_back(column.type);
  }
  records.insert(records.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
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
