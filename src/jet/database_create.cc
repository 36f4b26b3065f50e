// Database::Create and Database::CreateTable: making a new Jet 4 file and
// adding user tables to it.
#include <set>

#include "jet/data_page.h"
#include "jet/database.h"
#include "jet/database_header.h"
#include "jet/little_endian.h"
#include "jet/name_fold.h"
#include "jet/page_allocator.h"
#include "jet/page_batch.h"
#include "jet/row_writer.h"
#include "jet/system_catalog.h"
#include "jet/table_def_writer.h"
#include "jet/tdef_reader.h"
#include "jet/usage_map.h"
#include "jet/write_lock.h"

namespace jet {

namespace {

constexpr uint32_t kMapPageOwner = 0;  // pages of usage map rows belong to no table
constexpr size_t kMaxNameLength = 64;  // Jet's limit for table and column names
constexpr uint16_t kMaxTextLength = 255;
constexpr uint8_t kUserFixedFlags = kColumnFixedLength | kColumnNullable;
constexpr uint8_t kUserVariableFlags = kColumnNullable;

// Adds a table's used and free page maps, and those of each long value
// column, as rows of the map page; fills in def's map pointers.
std::vector<LongValueMaps> AddUsageMaps(const Format& format, uint32_t map_page_number,
                                        std::vector<uint8_t>* map_page, TableDef* def) {
  DataPage maps(format, map_page, "map page");
  const std::string empty = UsageMap::EmptyRow(format);
  def->used_pages_pointer = MakeRowPointer(map_page_number, maps.Append(empty, 0));
  def->free_pages_pointer = MakeRowPointer(map_page_number, maps.Append(empty, 0));
  std::vector<LongValueMaps> long_value_maps;
  for (const ColumnDef& column : def->columns) {
    if (!IsLongValueType(column.type)) continue;
    const uint32_t used = MakeRowPointer(map_page_number, maps.Append(empty, 0));
    const uint32_t free = MakeRowPointer(map_page_number, maps.Append(empty, 0));
    long_value_maps.push_back({column.number, used, free});
  }
  return long_value_maps;
}

Status EncodeRows(const TableDef& def, const std::vector<StoredRow>& rows, size_t page_size,
                  std::vector<std::string>* encoded) {
  encoded->resize(rows.size());
  for (size_t i = 0; i < rows.size(); ++i) {
    if (Status s = EncodeRow(def, rows[i], page_size, &(*encoded)[i]); !s.ok()) return s;
  }
  return Status::OK();
}

Status ReadCatalogueTable(const PageFile& file, const Format& format, const char* name,
                          uint32_t page, TableDef* def) {
  if (Status s = ReadTableDef(file, format, page, def); !s.ok()) return s;
  def->name = name;
  if (!def->real_indexes.empty()) {
    return Status::NotSupported(file.path() + ": its " + name +
                                " table has indexes, which this engine does not maintain; "
                                "tables cannot be added to it");
  }
  return Status::OK();
}

Status CheckName(const std::string& what, const std::string& name) {
  if (name.empty() || name.size() > kMaxNameLength || name.front() == ' ') {
    return Status::InvalidArgument(what + " name \"" + name + "\" is empty, too long or " +
                                   "starts with a space");
  }
  return Status::OK();
}

Status UserColumns(const std::vector<ColumnSpec>& specs, std::vector<NewColumn>* columns) {
  for (size_t i = 0; i < specs.size(); ++i) {
    const ColumnSpec& spec = specs[i];
    if (Status s = CheckName("column", spec.name); !s.ok()) return s;
    for (size_t j = 0; j < i; ++j) {
      if (NamesEqual(specs[j].name, spec.name)) {
        return Status::InvalidArgument("column \"" + spec.name + "\" is named twice");
      }
    }
    switch (spec.type) {
      case ColumnType::kText:
        if (spec.text_length < 1 || spec.text_length > kMaxTextLength) {
          return Status::InvalidArgument("column \"" + spec.name +
                                         "\": a Text column holds 1 to 255 characters");
        }
        columns->push_back(
            {spec.name, spec.type,
             static_cast<uint16_t>(spec.text_length * Format::kTextBytesPerCharacter),
             kUserVariableFlags, kColumnCompressedUnicode});
        break;
      case ColumnType::kMemo:
        columns->push_back({spec.name, spec.type, 0, kUserVariableFlags, kColumnCompressedUnicode});
        break;
      case ColumnType::kLongInteger:
        columns->push_back({spec.name, spec.type, 0, kUserFixedFlags, 0});
        break;
      default:
        return Status::NotSupported("column \"" + spec.name +
                                    "\": new tables take Text, Memo and Long Integer columns");
    }
  }
  if (columns->empty()) return Status::InvalidArgument("a table needs at least one column");
  return Status::OK();
}

}  // namespace

Status Database::Create(const std::string& path, std::unique_ptr<Database>* db) {
  const Format& format = Jet4Format();
  std::unique_ptr<PageFile> file;
  if (Status s = PageFile::Create(path, &file); !s.ok()) return s;
  file->set_page_size(format.page_size);
  const double now = JetDateNow();

  PageBatch batch(file.get(), format);
  std::vector<uint8_t>* page;
  batch.Allocate(&page);
  BuildJet4HeaderPage(now, page);
  batch.Allocate(&page);  // the global page map, filled in once the file is complete
  std::vector<uint32_t> definition_pages;
  for (size_t i = 0; i < SystemTables().size(); ++i)
    definition_pages.push_back(batch.Allocate(&page));
  std::vector<uint8_t>* map_page;
  const uint32_t map_page_number = batch.Allocate(&map_page);
  DataPage::Init(format, kMapPageOwner, map_page);

  std::vector<TableDef> defs;
  for (size_t i = 0; i < SystemTables().size(); ++i) {
    const SystemTable& table = SystemTables()[i];
    TableDef def = LayOutTable(table.name, definition_pages[i], table.columns);
    if (def.definition_page != table.definition_page) {
      return Status::Corruption(path + ": the system tables are not where Jet expects them");
    }
    const std::vector<LongValueMaps> long_value_maps =
        AddUsageMaps(format, map_page_number, map_page, &def);
    if (Status s = batch.Edit(def.definition_page, WritePhase::kBeforeCommit, &page); !s.ok()) {
      return s;
    }
    if (Status s = BuildTableDefPage(format, def, TableKind::kSystem, long_value_maps, page);
        !s.ok()) {
      return s;
    }
    defs.push_back(std::move(def));
  }

  const std::pair<size_t, std::vector<StoredRow>> catalogue[] = {{0, InitialObjectRows(now)},
                                                                 {1, InitialAceRows()}};
  for (const auto& [table, rows] : catalogue) {
    std::vector<std::string> encoded;
    if (Status s = EncodeRows(defs[table], rows, format.page_size, &encoded); !s.ok()) return s;
    if (Status s = AppendRows(&batch, &defs[table], encoded, WritePhase::kBeforeCommit); !s.ok()) {
      return s;
    }
  }
  // Both catalogue tables have rows now, so both have their pages.
  if (Status s = batch.Edit(Format::kGlobalUsageMapPage, WritePhase::kBeforeCommit, &page);
      !s.ok()) {
    return s;
  }
  InitGlobalUsageMap(format, batch.allocated().back() + 1, page);
  if (Status s = batch.Commit(); !s.ok()) return s;
  db->reset(new Database(std::move(file), format));
  return Status::OK();
}

Status Database::CreateTable(const std::string& name, const std::vector<ColumnSpec>& columns) {
  if (Status s = CheckWritable(); !s.ok()) return s;
  if (Status s = CheckName("table", name); !s.ok()) return s.WithContext(path());
  std::vector<NewColumn> new_columns;
  if (Status s = UserColumns(columns, &new_columns); !s.ok()) {
    return s.WithContext(path() + ": table \"" + name + "\"");
  }

  WriteLock lock(file_.get());
  if (!lock.status().ok()) return lock.status();
  std::vector<std::string> existing;
  if (Status s = ListTables(&existing); !s.ok()) return s;
  for (const std::string& table : existing) {
    if (NamesEqual(table, name)) {
      return Status::InvalidArgument(path() + ": a table \"" + table + "\" exists already");
    }
  }
  TableDef objects, aces;
  if (Status s =
          ReadCatalogueTable(*file_, format_, "MSysObjects", kObjectsDefinitionPage, &objects);
      !s.ok()) {
    return s;
  }
  if (Status s = ReadCatalogueTable(*file_, format_, "MSysACEs", kAcesDefinitionPage, &aces);
      !s.ok()) {
    return s;
  }

  PageBatch batch(file_.get(), format_);
  std::vector<uint8_t>* definition;
  const uint32_t definition_page = batch.Allocate(&definition);
  std::vector<uint8_t>* map_page;
  const uint32_t map_page_number = batch.Allocate(&map_page);
  DataPage::Init(format_, kMapPageOwner, map_page);
  TableDef def = LayOutTable(name, definition_page, new_columns);
  const std::vector<LongValueMaps> long_value_maps =
      AddUsageMaps(format_, map_page_number, map_page, &def);
  if (Status s = BuildTableDefPage(format_, def, TableKind::kUser, long_value_maps, definition);
      !s.ok()) {
    return s.WithContext(path());
  }

  const double now = JetDateNow();
  std::vector<std::string> encoded;
  if (Status s = EncodeRows(aces, TableAceRows(definition_page), format_.page_size, &encoded);
      !s.ok()) {
    return s;
  }
  if (Status s = AppendRows(&batch, &aces, encoded, WritePhase::kBeforeCommit); !s.ok()) return s;
  // The table exists once its catalogue row does: that row is the commit.
  if (Status s = EncodeRows(objects, {TableObjectRow(definition_page, name, now)},
                            format_.page_size, &encoded);
      !s.ok()) {
    return s.WithContext(path());
  }
  if (Status s = AppendRows(&batch, &objects, encoded, WritePhase::kCommit); !s.ok()) return s;
  if (Status s = MarkAllocatedPagesUsed(&batch); !s.ok()) return s;
  return batch.Commit();
}

}  // namespace jet
