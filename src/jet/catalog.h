// The system catalogue: the table MSysObjects, whose definition always
// starts at Format::kCatalogDefinitionPage, lists every object of the
// database. User tables are its rows of type 1 whose flags do not mark a
// system table; the low 24 bits of their Id are the table's definition page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

struct CatalogEntry {
  std::string name;
  uint32_t definition_page = 0;
};

// The user tables, in catalogue order.
Status ReadUserTables(const PageFile& file, const Format& format,
                      std::vector<CatalogEntry>* tables);

// The entry called `name` (compared as Jet compares names), or nullptr.
const CatalogEntry* FindTable(const std::vector<CatalogEntry>& tables, const std::string& name);

}  // namespace jet
