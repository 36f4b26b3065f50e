// Builds new table definitions: lays out the columns of a table to create
// and writes its definition page (Jet 4, no indexes).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

enum class TableKind : uint8_t { kUser = 0x4e, kSystem = 0x53 };

// A column as its table is created: name, type, length in bytes (Text: two
// per character; 0 for memo and OLE), flags and misc flags.
struct NewColumn {
  std::string name;
  ColumnType type;
  uint16_t length;
  uint8_t flags;
  uint8_t misc_flags;
};

// The usage maps of a long value (memo, OLE) column, as row pointers.
struct LongValueMaps {
  uint16_t column_number;
  uint32_t used_pages_pointer;
  uint32_t free_pages_pointer;
};

// Numbers the columns in order and gives each its place in a row: fixed
// columns an offset in the fixed area (Booleans none: they live in the null
// mask), variable ones a slot in the offset table.
TableDef LayOutTable(const std::string& name, uint32_t definition_page,
                     const std::vector<NewColumn>& columns);

// Writes the definition page of `def` (its used and free page map pointers
// set) into *page. InvalidArgument when it does not fit on one page.
Status BuildTableDefPage(const Format& format, const TableDef& def, TableKind kind,
                         const std::vector<LongValueMaps>& long_value_maps,
                         std::vector<uint8_t>* page);

// Whether values of this type live in long value pages.
bool IsLongValueType(ColumnType type);

}  // namespace jet
