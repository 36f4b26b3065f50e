#include "jet/table_def.h"

#include "jet/name_fold.h"

namespace jet {

std::optional<uint16_t> FixedTypeSize(ColumnType type) {
  switch (type) {
    case ColumnType::kBoolean: return 0;
    case ColumnType::kByte: return 1;
    case ColumnType::kInteger: return 2;
    case ColumnType::kLongInteger:
    case ColumnType::kSingle: return 4;
    case ColumnType::kCurrency:
    case ColumnType::kDouble:
    case ColumnType::kDateTime: return 8;
    case ColumnType::kGuid: return 16;
    case ColumnType::kDecimal: return 17;
    default: return std::nullopt;
  }
}

const ColumnDef* TableDef::FindColumn(const std::string& name) const {
  for (const ColumnDef& column : columns) {
    if (NamesEqual(column.name, name)) return &column;
  }
  return nullptr;
}

}  // namespace jet
