// TableDef: a table's definition as its definition pages describe it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace jet {

enum class ColumnType : uint8_t {
  kBoolean = 0x01,
  kByte = 0x02,
  kInteger = 0x03,
  kLongInteger = 0x04,
  kCurrency = 0x05,
  kSingle = 0x06,
  kDouble = 0x07,
  kDateTime = 0x08,
  kBinary = 0x09,
  kText = 0x0a,
  kOle = 0x0b,
  kMemo = 0x0c,
  kGuid = 0x0f,
  kDecimal = 0x10,
};

// Column flag bits.
inline constexpr uint8_t kColumnFixedLength = 0x01;
inline constexpr uint8_t kColumnNullable = 0x02;
// Jet 4 misc flag bit: text stored in the compressed unicode form when shorter.
inline constexpr uint8_t kColumnCompressedUnicode = 0x01;

// Bytes a value of a fixed-size type takes in a row's fixed area (a Boolean
// none: it lives in the null mask); nullopt for the types whose columns state
// their length (text, binary, memo, OLE).
std::optional<uint16_t> FixedTypeSize(ColumnType type);

struct ColumnDef {
  std::string name;  // UTF-8
  ColumnType type;
  uint16_t number;      // position in the row's null mask, counts deleted columns
  uint16_t var_index;   // slot in the row's variable offset table (variable columns)
  uint16_t fixed_offset;  // offset in the row's fixed area (fixed columns)
  uint16_t length;      // declared length in bytes (0 for memo and OLE)
  uint8_t flags;
  uint8_t misc_flags;
  uint8_t precision;    // decimal columns
  uint8_t scale;        // decimal columns
  uint16_t sort_order;  // text columns

  bool is_fixed() const { return (flags & kColumnFixedLength) != 0; }
  // Bytes the column takes in a row's fixed area, for a fixed column.
  size_t fixed_size() const { return FixedTypeSize(type).value_or(length); }
};

struct IndexDef {
  std::vector<uint16_t> column_numbers;  // ColumnDef::number of each key column
};

struct TableDef {
  std::string name;
  uint32_t definition_page;  // first page of the definition chain
  uint32_t row_count;
  uint16_t max_columns;      // columns a row may hold, deleted ones included
  uint16_t var_column_count;
  std::vector<ColumnDef> columns;  // in column order
  std::vector<IndexDef> real_indexes;
  // Row pointers of the usage maps, as stored (page << 8 | row).
  uint32_t used_pages_pointer;
  uint32_t free_pages_pointer;

  // The column with this name, compared case-insensitively as Jet does.
  const ColumnDef* FindColumn(const std::string& name) const;
};

}  // namespace jet
