#include "data/store_table.h"

#include "data/store_errors.h"
#include "jet/cursor.h"

namespace lexmira {

size_t StoreColumnIndex(std::string_view component, const jet::Table* table,
                        const std::string& column) {
  if (table == nullptr) ThrowFieldNotFound(component, column);
  const jet::TableDef& def = table->def();
  const jet::ColumnDef* found = def.FindColumn(column);
  if (found == nullptr) ThrowFieldNotFound(component, column);
  return static_cast<size_t>(found - def.columns.data());
}

std::optional<std::string> ReadStoreValue(std::string_view component, jet::Cursor& cursor,
                                          size_t index) {
  bool is_null = false;
  std::string text;
  const jet::Status status = cursor.Value(index, &text, &is_null);
  if (!status.ok()) ThrowStoreError(component, status.message());
  if (is_null) return std::nullopt;
  return text;
}

void ReadStoreRow(std::string_view component, jet::Cursor& cursor, jet::RowValues* row) {
  for (size_t i = 0; i < row->size(); ++i) (*row)[i] = ReadStoreValue(component, cursor, i);
}

}  // namespace lexmira
