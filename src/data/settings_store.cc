#include "data/settings_store.h"

#include "data/file_checks.h"
#include "data/store_errors.h"
#include "data/store_table.h"
#include "jet/cursor.h"
#include "jet/database.h"

namespace lexmira {

SettingsStore::SettingsStore() = default;
SettingsStore::~SettingsStore() = default;

void SettingsStore::Open(const std::string& path) {
  Close();
  // A missing file is left to the engine, which names it.
  read_only_ = FileExists(path) && !IsWritable(path);
  const jet::OpenMode mode = read_only_ ? jet::OpenMode::kReadOnly : jet::OpenMode::kReadWrite;
  jet::Status status = jet::Database::Open(path, mode, &db_);
  if (status.ok()) status = db_->OpenTable(std::string(kTableName), &table_);
  if (!status.ok()) {
    Close();
    ThrowStoreError(kComponentName, status.message());
  }
  try {
    ReadFirstRow();
  } catch (...) {
    Close();
    throw;
  }
}

void SettingsStore::Close() {
  table_.reset();
  db_.reset();
  row_.clear();
  has_row_ = false;
  read_only_ = false;
}

bool SettingsStore::IsOpen() const { return table_ != nullptr; }

std::string SettingsStore::ReadSetting(const std::string& column) const {
  const size_t index = ColumnIndex(column);
  if (!has_row_) return "";
  return row_[index].value_or("");
}

void SettingsStore::SaveSetting(const std::string& column, const std::string& text) {
  if (!IsOpen()) ThrowStoreError(kComponentName, kClosedDatasetMessage);
  const size_t index = ColumnIndex(column);
  // The engine decides between editing and adding the row under its write
  // lock: another copy of the program may have added the row meanwhile.
  const jet::Status status = table_->SetInFirstRow(table_->def().columns[index].name, text);
  if (!status.ok()) ThrowStoreError(kComponentName, status.message());
  // Read back what was stored (a number column keeps "05" as 5).
  ReadFirstRow();
}

size_t SettingsStore::ColumnIndex(const std::string& column) const {
  return StoreColumnIndex(kComponentName, table_.get(), column);
}

void SettingsStore::ReadFirstRow() {
  const size_t column_count = table_->def().columns.size();
  std::unique_ptr<jet::Cursor> cursor = table_->NewCursor();
  row_.assign(column_count, std::nullopt);
  has_row_ = cursor->Next();
  if (!has_row_) {
    if (!cursor->status().ok()) ThrowStoreError(kComponentName, cursor->status().message());
    return;
  }
  ReadStoreRow(kComponentName, *cursor, &row_);
}

}  // namespace lexmira
