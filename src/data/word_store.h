// WordStore: the open word library, a table of words.mdb read forward one row
// at a time ("id", "word", "mean", "class", every value as text).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "jet/table.h"

namespace jet {
class Cursor;
class Database;
}  // namespace jet

namespace lexmira {

class WordStore {
 public:
  // Put in front of every error text of this store.
  static constexpr std::string_view kComponentName = "ADOTable1";

  WordStore();
  WordStore(const WordStore&) = delete;
  WordStore& operator=(const WordStore&) = delete;
  ~WordStore();

  // Names the database file later calls of OpenLibrary open (read only).
  // Closes the open library, if any.
  void SetDatabasePath(std::string path);
  const std::string& database_path() const { return path_; }

  // Opens table `table` and stands on its first row (no row if it is empty).
  // Reopening the open library starts again from its first row. Throws Error
  // naming the file and the reason when the file or the table cannot be
  // opened; the store is then closed.
  void OpenLibrary(const std::string& table);
  // Closes the table; closing a closed store does nothing.
  void Close();
  bool IsOpen() const;
  // The open table's name ("" when closed).
  const std::string& library() const { return table_name_; }

  // Moves one row forward; on the last row it stays, without wrapping or
  // reporting. Throws Error on a closed store or a read failure.
  void Next();

  // The current row's value of `column` (matched case-insensitively) as text:
  // null reads as "", numbers as decimal text, text as UTF-8. An empty table
  // reads "" for every existing column. Throws Error
  // "ADOTable1: Field '<column>' not found" for a closed store or a column the
  // table lacks.
  std::string Field(const std::string& column) const;

  // Moves to the first row, in table order, whose "id" is exactly `id`
  // (number columns compare as numbers). When no row matches the position is
  // kept. Throws Error on a closed store.
  void LocateId(const std::string& id);

 private:
  void RequireOpen() const;
  // The index of `column` in the open table, or throws "Field ... not found".
  size_t ColumnIndex(const std::string& column) const;
  // Moves `cursor` to its next row and reads its values into *row (sized to
  // the columns); false at the end of the table. Throws Error when the engine
  // fails, as does the reader below.
  bool ReadNextRow(jet::Cursor& cursor, jet::RowValues* row) const;
  // The value of a whole-number column, read without making text of it.
  std::optional<int64_t> ReadNumber(jet::Cursor& cursor, size_t index) const;

  std::string path_;
  std::unique_ptr<jet::Database> db_;
  std::unique_ptr<jet::Table> table_;
  std::string table_name_;
  // The cursor is forward-only, so the current row's values are held here:
  // has_row_ is false only in an empty table, and at_end_ tells that the
  // cursor has run past the last row, which row_ still holds.
  std::unique_ptr<jet::Cursor> cursor_;
  jet::RowValues row_;
  bool has_row_ = false;
  bool at_end_ = false;
};

}  // namespace lexmira
