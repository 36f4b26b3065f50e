#include "jet/database.h"

#include <cstring>

#include "jet/catalog.h"
#include "jet/table.h"
#include "jet/tdef_reader.h"

namespace jet {

namespace {

// Page 0 (database), page 1 (global usage map), page 2 (the catalogue).

Status NotAJetDatabase(const std::string& path) {
  return Status::NotSupported(path + ": not a Jet database (Access 97–2003 .mdb) file");
}

}  // namespace

Database::Database(std::unique_ptr<PageFile> file, const Format& format)
    : file_(std::move(file)), format_(format) {}

Database::~Database() = default;

Status Database::Open(const std::string& path, OpenMode mode, std::unique_ptr<Database>* db) {
  std::unique_ptr<PageFile> file;
  Status s = PageFile::Open(path, mode, &file);
  if (!s.ok()) return s;

  std::vector<uint8_t> header;
  const size_t header_size = Format::kVersionOffset + 1;
  if (!file->ReadHeader(header_size, &header).ok()) {
    return NotAJetDatabase(path);  // too short to hold even the header
  }
  const uint8_t* magic = header.data() + Format::kMagicOffset;
  const bool jet = std::memcmp(magic, Format::kJetMagic, sizeof Format::kJetMagic - 1) == 0;
  const bool ace = std::memcmp(magic, Format::kAceMagic, sizeof Format::kAceMagic - 1) == 0;
  if (std::memcmp(header.data(), Format::kFileStart, sizeof Format::kFileStart) != 0 ||
      (!jet && !ace)) {
    return NotAJetDatabase(path);
  }
  const uint8_t version = header[Format::kVersionOffset];
  if (ace || version > Format::kJet4Version) {
    return Status::NotSupported(path +
                                ": an Access 2007 or later (.accdb) database; only Access "
                                "97–2003 .mdb files can be read");
  }
  const Format& format = version == Format::kJet3Version ? Jet3Format() : Jet4Format();
  file->set_page_size(format.page_size);
  if (file->page_count() < Format::kReservedPages) {
    return Status::Corruption(path + ": file is truncated: it holds " +
                              std::to_string(file->page_count()) + " whole pages, fewer than " +
                              std::to_string(Format::kReservedPages));
  }
  std::unique_ptr<Database> opened(new Database(std::move(file), format));
  // Reading the catalogue now turns a damaged start of the file into an
  // error here rather than at the first table.
  const std::vector<CatalogEntry>* tables;
  s = opened->UserTables(&tables);
  if (!s.ok()) return s;
  *db = std::move(opened);
  return Status::OK();
}

Status Database::CheckWritable() const {
  if (format_.writable()) return Status::OK();
  return Status::NotSupported(path() + ": updating Jet 3 (Access 97) files is not supported");
}

Status Database::UserTables(const std::vector<CatalogEntry>** tables) const {
  if (tables_read_at_ != file_->write_count()) {
    tables_read_at_.reset();
    Status s = ReadUserTables(*file_, format_, &tables_);
    if (!s.ok()) return s;
    tables_read_at_ = file_->write_count();
  }
  *tables = &tables_;
  return Status::OK();
}

Status Database::ListTables(std::vector<std::string>* names) const {
  const std::vector<CatalogEntry>* tables;
  Status s = UserTables(&tables);
  if (!s.ok()) return s;
  names->clear();
  for (const CatalogEntry& entry : *tables) names->push_back(entry.name);
  return Status::OK();
}

Status Database::OpenTable(const std::string& name, std::unique_ptr<Table>* table) {
  const std::vector<CatalogEntry>* tables;
  Status s = UserTables(&tables);
  if (!s.ok()) return s;
  const CatalogEntry* entry = FindTable(*tables, name);
  if (entry == nullptr) return Status::NotFound(path() + ": no table named '" + name + "'");
  TableDef def;
  s = ReadTableDef(*file_, format_, entry->definition_page, &def);
  if (!s.ok()) return s;
  def.name = entry->name;
  *table = std::make_unique<Table>(this, std::move(def));
  return Status::OK();
}

}  // namespace jet
