#include "jet/table_def_writer.h"

#include <cstring>

#include "jet/little_endian.h"
#include "jet/text_encode.h"

namespace jet {

namespace {

// A stamp Access writes after the definition's length and again in every
// column entry; every Jet 4 file seen carries this value.
constexpr uint32_t kDefinitionStamp = 0x0659;
constexpr size_t kDefinitionStampOffset = 12;
constexpr size_t kColumnStampOffset = 1;
constexpr size_t kAutonumberFlagOffset = 24;
constexpr uint8_t kAutonumberEnabled = 0x01;
constexpr uint16_t kEndOfLongValueMaps = 0xffff;
constexpr size_t kLongValueMapEntrySize = 10;  // column number, two map pointers

}  // namespace

bool IsLongValueType(ColumnType type) {
  return type == ColumnType::kMemo || type == ColumnType::kOle;
}

TableDef LayOutTable(const std::string& name, uint32_t definition_page,
                     const std::vector<NewColumn>& columns) {
  TableDef def;
  def.name = name;
  def.definition_page = definition_page;
  def.row_count = 0;
  def.max_columns = static_cast<uint16_t>(columns.size());
  def.var_column_count = 0;
  def.used_pages_pointer = 0;
  def.free_pages_pointer = 0;
  uint16_t fixed_offset = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    const NewColumn& spec = columns[i];
    ColumnDef column{};
    column.name = spec.name;
    column.type = spec.type;
    column.number = static_cast<uint16_t>(i);
    column.flags = spec.flags;
    column.misc_flags = spec.misc_flags;
    column.sort_order = Format::kGeneralSortOrder;
    column.var_index = def.var_column_count;
    if (column.is_fixed()) {
      // A Boolean lives in the null mask and takes no room in the fixed area.
      const bool in_null_mask = spec.type == ColumnType::kBoolean;
      column.length = in_null_mask ? 1 : FixedTypeSize(spec.type).value_or(spec.length);
      column.fixed_offset = in_null_mask ? 0 : fixed_offset;
      if (!in_null_mask) fixed_offset += column.length;
    } else {
      column.length = spec.length;
      column.fixed_offset = 0;
      ++def.var_column_count;
    }
    def.columns.push_back(column);
  }
  return def;
}

Status BuildTableDefPage(const Format& format, const TableDef& def, TableKind kind,
                         const std::vector<LongValueMaps>& long_value_maps,
                         std::vector<uint8_t>* page) {
  std::vector<std::string> names;
  size_t length = format.tdef_block_end + def.columns.size() * format.column_entry_size;
  for (const ColumnDef& column : def.columns) {
    std::u16string units;
    if (!Utf8ToUtf16(column.name, &units)) {
      return Status::InvalidArgument("column name \"" + column.name + "\" is not UTF-8");
    }
    names.push_back(EncodeJet4Text(units, false));
    length += format.column_name_length_size + names.back().size();
  }
  length += long_value_maps.size() * kLongValueMapEntrySize + sizeof kEndOfLongValueMaps;
  if (length > format.page_size) {
    return Status::InvalidArgument("table \"" + def.name +
                                   "\": its definition does not fit on one page");
  }

  page->assign(format.page_size, 0);
  uint8_t* p = page->data();
  SetPageType(PageType::kTableDefinition, page);
  StoreU16(p + Format::kPageFreeSpaceOffset,
           static_cast<uint16_t>(format.page_size - length - Format::kTdefPageHeaderSize));
  StoreU32(p + Format::kTdefNextPageOffset, 0);
  StoreU32(p + format.tdef_length_offset, static_cast<uint32_t>(length));
  StoreU32(p + kDefinitionStampOffset, kDefinitionStamp);
  StoreU32(p + format.tdef_row_count_offset, def.row_count);
  StoreU32(p + format.tdef_autonumber_offset, 0);
  p[kAutonumberFlagOffset] = kAutonumberEnabled;
  p[format.tdef_table_type_offset] = static_cast<uint8_t>(kind);
  StoreU16(p + format.tdef_max_columns_offset, def.max_columns);
  StoreU16(p + format.tdef_var_columns_offset, def.var_column_count);
  StoreU16(p + format.tdef_column_count_offset, static_cast<uint16_t>(def.columns.size()));
  StoreU32(p + format.tdef_index_count_offset, 0);
  StoreU32(p + format.tdef_real_index_count_offset, 0);
  StoreU32(p + format.tdef_used_pages_offset, def.used_pages_pointer);
  StoreU32(p + format.tdef_free_pages_offset, def.free_pages_pointer);

  size_t at = format.tdef_block_end;
  for (const ColumnDef& column : def.columns) {
    uint8_t* entry = p + at;
    entry[format.column_type_offset] = static_cast<uint8_t>(column.type);
    StoreU32(entry + kColumnStampOffset, kDefinitionStamp);
    StoreU16(entry + format.column_number_offset, column.number);
    StoreU16(entry + format.column_var_index_offset, column.var_index);
    // System tables leave the column id zero; user tables repeat the number.
    StoreU16(entry + format.column_id_offset, kind == TableKind::kUser ? column.number : 0);
    StoreU16(entry + format.column_misc_offset, column.sort_order);
    entry[format.column_flags_offset] = column.flags;
    entry[format.column_misc_flags_offset] = column.misc_flags;
    StoreU16(entry + format.column_fixed_offset_offset, column.fixed_offset);
    StoreU16(entry + format.column_length_offset, column.length);
    at += format.column_entry_size;
  }
  for (const std::string& name : names) {
    StoreU16(p + at, static_cast<uint16_t>(name.size()));
    std::memcpy(p + at + format.column_name_length_size, name.data(), name.size());
    at += format.column_name_length_size + name.size();
  }
  for (const LongValueMaps& maps : long_value_maps) {
    StoreU16(p + at, maps.column_number);
    StoreU32(p + at + 2, maps.used_pages_pointer);
    StoreU32(p + at + 6, maps.free_pages_pointer);
    at += kLongValueMapEntrySize;
  }
  StoreU16(p + at, kEndOfLongValueMaps);
  return Status::OK();
}

}  // namespace jet
