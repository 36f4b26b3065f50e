#include "jet/table_def.h"

#include "jet/name_fold.h"

namespace jet {

const ColumnDef* TableDef::FindColumn(const std::string& name) const {
  for (const ColumnDef& column : columns) {
    if (NamesEqual(column.name, name)) return &column;
  }
  return nullptr;
}

}  // namespace jet
