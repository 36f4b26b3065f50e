#include "data/word_store.h"

#include <charconv>
#include <cstdint>
#include <optional>

#include "data/columns.h"
#include "data/store_errors.h"
#include "data/store_table.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/whole_number.h"

namespace lexmira {
namespace {

std::optional<int64_t> ParseDecimal(std::string_view text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

WordStore::WordStore() = default;
WordStore::~WordStore() = default;

void WordStore::SetDatabasePath(std::string path) {
  Close();
  db_.reset();
  path_ = std::move(path);
}

void WordStore::OpenLibrary(const std::string& table) {
  Close();
  if (!db_) {
    jet::Status status = jet::Database::Open(path_, jet::OpenMode::kReadOnly, &db_);
    if (!status.ok()) {
      db_.reset();
      ThrowStoreError(kComponentName, status.message());
    }
  }
  jet::Status status = db_->OpenTable(table, &table_);
  if (!status.ok()) {
    table_.reset();
    ThrowStoreError(kComponentName, status.message());
  }
  cursor_ = table_->NewCursor();
  row_.assign(table_->def().columns.size(), std::nullopt);
  try {
    has_row_ = ReadNextRow(*cursor_, &row_);
  } catch (...) {
    Close();
    throw;
  }
  at_end_ = !has_row_;
  table_name_ = table;
}

void WordStore::Close() {
  cursor_.reset();
  table_.reset();
  table_name_.clear();
  row_.clear();
  has_row_ = false;
  at_end_ = false;
}

bool WordStore::IsOpen() const { return table_ != nullptr; }

void WordStore::Next() {
  RequireOpen();
  if (at_end_) return;
  jet::RowValues next(row_.size());
  if (ReadNextRow(*cursor_, &next)) {
    row_ = std::move(next);
    has_row_ = true;
  } else {
    at_end_ = true;
  }
}

std::string WordStore::Field(const std::string& column) const {
  const size_t index = ColumnIndex(column);
  if (!has_row_) return "";
  return row_[index].value_or("");
}

// A remembered id is the whole text read from the column, so it matches a
// whole value only: "12" never stops on "123". Number columns compare as
// numbers, so "012" still finds 12; they are read as numbers, since making
// text of every row's id would cost more than the rest of the scan.
void WordStore::LocateId(const std::string& id) {
  RequireOpen();
  const size_t id_index = ColumnIndex(word_column::kId);
  const bool number_ids = jet::IsWholeNumberType(table_->def().columns[id_index].type);
  const std::optional<int64_t> wanted_number = number_ids ? ParseDecimal(id) : std::nullopt;
  if (number_ids && !wanted_number) return;  // no stored number reads as this text
  std::unique_ptr<jet::Cursor> scan = table_->NewCursor();
  while (scan->Next()) {
    if (number_ids ? ReadNumber(*scan, id_index) != wanted_number
                   : ReadStoreValue(kComponentName, *scan, id_index).value_or("") != id) {
      continue;
    }
    jet::RowValues found(row_.size());
    ReadStoreRow(kComponentName, *scan, &found);
    cursor_ = std::move(scan);
    row_ = std::move(found);
    has_row_ = true;
    at_end_ = false;
    return;
  }
  if (!scan->status().ok()) ThrowStoreError(kComponentName, scan->status().message());
}

void WordStore::RequireOpen() const {
  if (!IsOpen()) ThrowStoreError(kComponentName, kClosedDatasetMessage);
}

size_t WordStore::ColumnIndex(const std::string& column) const {
  return StoreColumnIndex(kComponentName, table_.get(), column);
}

bool WordStore::ReadNextRow(jet::Cursor& cursor, jet::RowValues* row) const {
  if (!cursor.Next()) {
    if (!cursor.status().ok()) ThrowStoreError(kComponentName, cursor.status().message());
    return false;
  }
  ReadStoreRow(kComponentName, cursor, row);
  return true;
}

std::optional<int64_t> WordStore::ReadNumber(jet::Cursor& cursor, size_t index) const {
  std::optional<int64_t> value;
  jet::Status status = cursor.WholeNumber(index, &value);
  if (!status.ok()) ThrowStoreError(kComponentName, status.message());
  return value;
}

}  // namespace lexmira
