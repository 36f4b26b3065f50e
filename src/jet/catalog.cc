#include "jet/catalog.h"

#include <charconv>

#include "jet/name_fold.h"
#include "jet/table_cursor.h"
#include "jet/tdef_reader.h"

namespace jet {

namespace {

constexpr int64_t kTableObjectType = 1;
// Either bit marks a system table.
constexpr uint32_t kSystemObjectFlags = 0x80000000u | 0x00000002u;
constexpr uint32_t kDefinitionPageMask = 0x00ffffff;

Status CatalogColumn(const PageFile& file, const TableDef& def, const char* name, size_t* index) {
  for (size_t i = 0; i < def.columns.size(); ++i) {
    if (NamesEqual(def.columns[i].name, name)) {
      *index = i;
      return Status::OK();
    }
  }
  return Status::Corruption(file.path() + ": the system catalogue has no column " + name);
}

Status ReadInteger(const PageFile& file, TableCursor* cursor, size_t column, std::string* text,
                   int64_t* value) {
  bool is_null;
  Status s = cursor->Value(column, text, &is_null);
  if (!s.ok()) return s;
  *value = 0;
  if (is_null) return Status::OK();
  const auto result = std::from_chars(text->data(), text->data() + text->size(), *value);
  if (result.ec != std::errc() || result.ptr != text->data() + text->size()) {
    return Status::Corruption(file.path() + ": the system catalogue holds '" + *text +
                              "' where a number belongs");
  }
  return Status::OK();
}

}  // namespace

Status ReadUserTables(const PageFile& file, const Format& format,
                      std::vector<CatalogEntry>* tables) {
  tables->clear();
  TableDef def;
  Status s = ReadTableDef(file, format, Format::kCatalogDefinitionPage, &def);
  if (!s.ok()) return s;
  def.name = "MSysObjects";
  size_t id_column, name_column, type_column, flags_column;
  if (!(s = CatalogColumn(file, def, "Id", &id_column)).ok() ||
      !(s = CatalogColumn(file, def, "Name", &name_column)).ok() ||
      !(s = CatalogColumn(file, def, "Type", &type_column)).ok() ||
      !(s = CatalogColumn(file, def, "Flags", &flags_column)).ok()) {
    return s;
  }

  TableCursor cursor(file, format, def);
  std::string text;
  while (cursor.Next()) {
    int64_t type, flags, id;
    if (!(s = ReadInteger(file, &cursor, type_column, &text, &type)).ok() ||
        !(s = ReadInteger(file, &cursor, flags_column, &text, &flags)).ok() ||
        !(s = ReadInteger(file, &cursor, id_column, &text, &id)).ok()) {
      return s;
    }
    if (type != kTableObjectType || (static_cast<uint32_t>(flags) & kSystemObjectFlags) != 0) {
      continue;
    }
    CatalogEntry entry;
    bool is_null;
    s = cursor.Value(name_column, &entry.name, &is_null);
    if (!s.ok()) return s;
    entry.definition_page = static_cast<uint32_t>(id) & kDefinitionPageMask;
    tables->push_back(std::move(entry));
  }
  return cursor.status();
}

const CatalogEntry* FindTable(const std::vector<CatalogEntry>& tables, const std::string& name) {
  for (const CatalogEntry& entry : tables) {
    if (NamesEqual(entry.name, name)) return &entry;
  }
  return nullptr;
}

}  // namespace jet
