#include "jet/row_encoder.h"

#include <algorithm>

#include "jet/data_page.h"
#include "jet/format.h"
#include "jet/little_endian.h"
#include "jet/row_decoder.h"

namespace jet {

namespace {

void AppendU16(uint16_t v, std::string* out) {
  uint8_t bytes[2];
  StoreU16(bytes, v);
  out->append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

}  // namespace

Status EncodeRow(const TableDef& def, const std::vector<StoredValue>& values, size_t page_size,
                 std::string* row) {
  if (values.size() != def.columns.size()) {
    return Status::InvalidArgument("table \"" + def.name + "\": a row needs " +
                                   std::to_string(def.columns.size()) + " values, not " +
                                   std::to_string(values.size()));
  }
  size_t column_count = def.max_columns;
  size_t fixed_size = 0;
  size_t var_count = def.var_column_count;
  for (const ColumnDef& column : def.columns) {
    column_count = std::max<size_t>(column_count, column.number + 1u);
    if (column.type == ColumnType::kBoolean) continue;
    if (column.is_fixed()) {
      fixed_size = std::max<size_t>(fixed_size, column.fixed_offset + column.fixed_size());
    } else {
      var_count = std::max<size_t>(var_count, column.var_index + 1u);
    }
  }

  std::vector<uint8_t> null_mask((column_count + 7) / 8, 0);
  std::string fixed(fixed_size, '\0');
  std::vector<const std::string*> var_values(var_count, nullptr);
  for (size_t i = 0; i < def.columns.size(); ++i) {
    const ColumnDef& column = def.columns[i];
    const StoredValue& value = values[i];
    bool bit = value.has_value();
    if (column.type == ColumnType::kBoolean) {
      bit = value.has_value() && !value->empty() && (*value)[0] != '\0';
    } else if (value && column.is_fixed()) {
      if (value->size() != column.fixed_size()) {
        return Status::InvalidArgument("column \"" + column.name + "\": a value of " +
                                       std::to_string(value->size()) + " bytes where " +
                                       std::to_string(column.fixed_size()) + " are stored");
      }
      fixed.replace(column.fixed_offset, column.fixed_size(), *value);
    } else if (value) {
      var_values[column.var_index] = &*value;
    }
    if (bit) null_mask[column.number / 8] |= static_cast<uint8_t>(1u << (column.number % 8));
  }

  row->clear();
  AppendU16(static_cast<uint16_t>(column_count), row);
  row->append(fixed);
  if (var_count > 0) {
    std::vector<uint16_t> offsets(var_count);
    for (size_t v = 0; v < var_count; ++v) {
      offsets[v] = static_cast<uint16_t>(row->size());
      if (var_values[v]) row->append(*var_values[v]);
      if (row->size() > page_size) break;
    }
    const size_t end_of_data = row->size();
    AppendU16(static_cast<uint16_t>(end_of_data), row);
    for (size_t v = var_count; v-- > 0;) AppendU16(offsets[v], row);
    AppendU16(static_cast<uint16_t>(var_count), row);
  }
  row->append(reinterpret_cast<const char*>(null_mask.data()), null_mask.size());

  const size_t room = DataPage::MaxRowSize(Jet4Format());
  if (row->size() > room) {
    return Status::InvalidArgument("table \"" + def.name + "\": the row takes " +
                                   std::to_string(row->size()) +
                                   " bytes, more than a page holds (" + std::to_string(room) + ")");
  }
  return Status::OK();
}

Status DecodeStoredRow(const TableDef& def, std::string_view row,
                       std::vector<StoredValue>* values) {
  RowDecoder decoder(Jet4Format(), def);
  const auto* bytes = reinterpret_cast<const uint8_t*>(row.data());
  const auto in_table = [&def](const Status& s) {
    return s.WithContext("table \"" + def.name + "\"");
  };
  if (Status s = decoder.Parse(bytes, row.size()); !s.ok()) return in_table(s);
  values->assign(def.columns.size(), std::nullopt);
  for (size_t i = 0; i < def.columns.size(); ++i) {
    const ColumnDef& column = def.columns[i];
    FieldBytes field;
    if (Status s = decoder.Field(column, &field); !s.ok()) return in_table(s);
    if (column.type == ColumnType::kBoolean) {
      (*values)[i] = std::string(1, field.boolean ? '\1' : '\0');
    } else if (!field.is_null) {
      (*values)[i] = std::string(reinterpret_cast<const char*>(field.data), field.size);
    }
  }
  return Status::OK();
}

}  // namespace jet
