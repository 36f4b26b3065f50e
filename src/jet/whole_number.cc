#include "jet/whole_number.h"

#include <string>

#include "jet/little_endian.h"

namespace jet {

bool IsWholeNumberType(ColumnType type) {
  return type == ColumnType::kByte || type == ColumnType::kInteger ||
         type == ColumnType::kLongInteger;
}

Status WholeNumber(const ColumnDef& column, const FieldBytes& field,
                   std::optional<int64_t>* value) {
  if (!IsWholeNumberType(column.type)) {
    return Status::InvalidArgument("column '" + column.name + "' does not hold whole numbers");
  }
  value->reset();
  if (field.is_null) return Status::OK();
  if (field.size < column.fixed_size()) {
    return Status::Corruption("column '" + column.name + "' holds " + std::to_string(field.size) +
                              " bytes, too few for its type");
  }
  const uint8_t* p = field.data;
  switch (column.type) {
    case ColumnType::kByte: *value = p[0]; break;
    case ColumnType::kInteger: *value = static_cast<int16_t>(LoadU16(p)); break;
    default: *value = static_cast<int32_t>(LoadU32(p)); break;
  }
  return Status::OK();
}

}  // namespace jet
