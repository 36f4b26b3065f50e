// WholeNumber: a Byte, Integer or Long Integer field read as a number, for
// code that compares stored numbers and has no use for their text.
#pragma once

#include <cstdint>
#include <optional>

#include "jet/row_decoder.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

// Byte, Integer and Long Integer.
bool IsWholeNumberType(ColumnType type);

// Sets *value to the number `field` of `column` holds, nullopt for null.
// InvalidArgument for a column of another type; Corruption for a field too
// short for its type.
Status WholeNumber(const ColumnDef& column, const FieldBytes& field,
                   std::optional<int64_t>* value);

}  // namespace jet
