// SettingsStore: table "main" of set.mdb, whose first row holds the learner's
// remembered choices ("class", "time", "id"), each read and written as text.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "jet/table.h"

namespace jet {
class Database;
}  // namespace jet

namespace lexmira {

class SettingsStore {
 public:
  // Put in front of every error text of this store.
  static constexpr std::string_view kComponentName = "ADOTable2";
  static constexpr std::string_view kTableName = "main";

  SettingsStore();
  SettingsStore(const SettingsStore&) = delete;
  SettingsStore& operator=(const SettingsStore&) = delete;
  ~SettingsStore();

  // Opens table "main" of the database at `path` and reads its first row:
  // for update, or only for reading when the file is read-only (see
  // IsWritable) so that its choices are still restored. Throws Error naming
  // the file and the reason; the store is then closed.
  void Open(const std::string& path);
  void Close();
  bool IsOpen() const;
  // Whether the open file was opened only for reading; saving then fails.
  bool read_only() const { return read_only_; }

  // The first row's value of `column` (matched case-insensitively): "" for
  // null, and "" when the table has no row. Throws Error
  // "ADOTable2: Field '<column>' not found" for a closed store or a column the
  // table lacks.
  std::string ReadSetting(const std::string& column) const;

  // Writes `text` into `column` of the first row and returns once it is on
  // disk. With no row yet, appends a row holding only this column; later
  // calls edit that same row. Throws Error
  // "ADOTable2: Cannot perform this operation on a closed dataset" on a closed
  // store, "ADOTable2: Field '<column>' not found" for a missing column, and
  // the engine's reason when the write fails (the row then keeps its value).
  void SaveSetting(const std::string& column, const std::string& text);

 private:
  // The index of `column` in "main", or throws "Field ... not found".
  size_t ColumnIndex(const std::string& column) const;
  void ReadFirstRow();

  std::unique_ptr<jet::Database> db_;
  std::unique_ptr<jet::Table> table_;
  // The first row as last read or written; has_row_ false while "main" is empty.
  jet::RowValues row_;
  bool has_row_ = false;
  bool read_only_ = false;
};

}  // namespace lexmira
