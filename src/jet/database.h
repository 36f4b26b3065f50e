// Database: an open Jet 3 or Jet 4 (.mdb) file, the entry point of the engine:
// database -> table -> cursor -> value.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/catalog.h"
#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

class Table;

// A column of a table to create. Text length is in characters (1 to 255).
struct ColumnSpec {
  std::string name;
  ColumnType type;  // kText, kMemo or kLongInteger
  uint16_t text_length = 255;
};

class Database {
 public:
  // Opens an existing file. Anything that is not a Jet 3 or Jet 4 database is
  // refused with a message naming the file and the reason. Updating a Jet 3
  // file is refused when a write is attempted.
  static Status Open(const std::string& path, OpenMode mode, std::unique_ptr<Database>* db);
  // Creates a new Jet 4 database with an empty system catalogue; fails if the
  // path exists. The database is open for update.
  static Status Create(const std::string& path, std::unique_ptr<Database>* db);

  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;
  ~Database();

  const Format& format() const { return format_; }
  const std::string& path() const { return file_->path(); }

  // Names of the user tables, in catalogue order.
  Status ListTables(std::vector<std::string>* names) const;
  // Opens a table by name, compared case-insensitively. *table must not
  // outlive this Database.
  Status OpenTable(const std::string& name, std::unique_ptr<Table>* table);
  // Adds an empty user table with these columns, durably.
  Status CreateTable(const std::string& name, const std::vector<ColumnSpec>& columns);

  // Ok when this file may be written: refused for Jet 3 files.
  Status CheckWritable() const;

  // For the engine's own layers.
  PageFile& file() { return *file_; }
  const PageFile& file() const { return *file_; }

 private:
  Database(std::unique_ptr<PageFile> file, const Format& format);

  // The user tables, read from the catalogue again only after this object
  // has written to the file.
  Status UserTables(const std::vector<CatalogEntry>** tables) const;

  std::unique_ptr<PageFile> file_;
  const Format& format_;
  mutable std::vector<CatalogEntry> tables_;
  mutable std::optional<uint64_t> tables_read_at_;  // write_count() when read
};

}  // namespace jet
