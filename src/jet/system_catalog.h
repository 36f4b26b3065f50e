// The system tables of a new Jet 4 database and the catalogue rows that
// describe its objects: MSysObjects (page 2: one row per table, container
// and the database itself), MSysACEs (who may do what with each object),
// MSysQueries and MSysRelationships (empty), laid out as Access lays them out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/row_encoder.h"
#include "jet/table_def_writer.h"

namespace jet {

struct SystemTable {
  std::string name;
  uint32_t definition_page;
  std::vector<NewColumn> columns;
};

inline constexpr uint32_t kObjectsDefinitionPage = Format::kCatalogDefinitionPage;
inline constexpr uint32_t kAcesDefinitionPage = 3;

// MSysObjects, MSysACEs, MSysQueries, MSysRelationships, on pages 2 to 5.
const std::vector<SystemTable>& SystemTables();

using StoredRow = std::vector<StoredValue>;

// The MSysObjects and MSysACEs rows of a new, empty database made at `now`.
std::vector<StoredRow> InitialObjectRows(double now);
std::vector<StoredRow> InitialAceRows();

// The rows that register a user table whose definition starts at
// `definition_page` (which is also its object id).
StoredRow TableObjectRow(uint32_t definition_page, const std::string& name, double now);
std::vector<StoredRow> TableAceRows(uint32_t definition_page);

}  // namespace jet
