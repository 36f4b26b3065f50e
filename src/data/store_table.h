// What both stores do with their engine table: find a column and read the
// current row's values, raising the engine's failures as the store's errors
// ("<component>: <message>").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "jet/table.h"

namespace jet {
class Cursor;
}  // namespace jet

namespace lexmira {

// The index of `column` (matched case-insensitively) in `table`'s columns.
// Throws "<component>: Field '<column>' not found" when `table` is null (the
// store is closed) or has no such column.
size_t StoreColumnIndex(std::string_view component, const jet::Table* table,
                        const std::string& column);

// The cursor's current value of column `index`; nullopt for null.
std::optional<std::string> ReadStoreValue(std::string_view component, jet::Cursor& cursor,
                                          size_t index);

// Every value of the cursor's current row, one per element of *row.
void ReadStoreRow(std::string_view component, jet::Cursor& cursor, jet::RowValues* row);

}  // namespace lexmira
