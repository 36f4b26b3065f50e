// Format: every version-specific fact of the Jet file layout, one descriptor
// per version, so that the code reads format.tdef_row_count instead of
// branching on the version wherever an offset is needed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace jet {

enum class JetVersion { kJet3, kJet4 };

// Page types: the first byte of every page.
enum class PageType : uint8_t {
  kDatabaseDefinition = 0x00,
  kData = 0x01,
  kTableDefinition = 0x02,
  kIndexNode = 0x03,
  kIndexLeaf = 0x04,
  kUsageMap = 0x05,
};

struct Format {
  JetVersion version;
  uint32_t page_size;

  // Every page starts with its type and a marker byte; data and table
  // definition pages go on with their free space.
  static constexpr size_t kPageTypeOffset = 0;
  static constexpr size_t kPageMarkerOffset = 1;
  static constexpr uint8_t kPageMarker = 0x01;
  static constexpr size_t kPageFreeSpaceOffset = 2;

  // Database definition page (page 0): 00 01 00 00, the engine's name, the
  // version byte.
  static constexpr uint8_t kFileStart[] = {0x00, 0x01, 0x00, 0x00};
  static constexpr char kJetMagic[] = "Standard Jet DB";
  static constexpr char kAceMagic[] = "Standard ACE DB";  // Access 2007 and later
  static constexpr size_t kMagicOffset = 4;
  static constexpr size_t kVersionOffset = 0x14;
  static constexpr uint8_t kJet3Version = 0x00;
  static constexpr uint8_t kJet4Version = 0x01;
  static constexpr size_t kEncryptedHeaderOffset = 0x18;
  size_t encrypted_header_length;  // bytes of page 0 scrambled with the header key

  // Page 0 is the database definition, page 1 the global page map, page 2
  // the start of the system catalogue's definition; every file has them.
  static constexpr uint32_t kGlobalUsageMapPage = 1;
  static constexpr uint32_t kCatalogDefinitionPage = 2;
  static constexpr uint32_t kReservedPages = 3;

  // Data pages.
  static constexpr size_t kDataOwnerOffset = 4;  // the owning table's definition page
  size_t data_row_count_offset;
  size_t data_row_table_offset;  // first of the two-byte row offsets

  // Each row has a two-byte slot in the row offset table: its offset and flags.
  static constexpr size_t kRowSlotSize = 2;
  // Row slot flags.
  static constexpr uint16_t kRowDeletedFlag = 0x8000;
  static constexpr uint16_t kRowLookupFlag = 0x4000;  // slot holds a pointer to the moved row
  static constexpr uint16_t kRowOffsetMask = 0x1fff;
  // A row pointer (page << 8 | slot), as moved rows and long values hold it.
  static constexpr size_t kRowPointerSize = 4;

  // Table definition pages. A definition spanning several pages goes on
  // after each later page's header.
  static constexpr size_t kTdefNextPageOffset = 4;
  static constexpr size_t kTdefPageHeaderSize = 8;
  size_t tdef_length_offset;
  size_t tdef_row_count_offset;
  size_t tdef_autonumber_offset;
  size_t tdef_table_type_offset;
  size_t tdef_max_columns_offset;
  size_t tdef_var_columns_offset;
  size_t tdef_column_count_offset;
  size_t tdef_index_count_offset;
  size_t tdef_real_index_count_offset;
  size_t tdef_used_pages_offset;
  size_t tdef_free_pages_offset;
  size_t tdef_block_end;  // where the per-index row counts begin

  size_t real_index_count_entry_size;  // per physical index, before the columns
  size_t column_entry_size;
  size_t column_type_offset;
  size_t column_number_offset;
  size_t column_var_index_offset;
  size_t column_id_offset;
  size_t column_misc_offset;   // precision and scale, or the text sort order
  size_t column_flags_offset;
  size_t column_misc_flags_offset;  // Jet 4 only: compressed unicode flag
  size_t column_fixed_offset_offset;
  size_t column_length_offset;
  size_t column_name_length_size;  // 1 byte (Jet 3) or 2 (Jet 4)
  size_t real_index_entry_size;    // physical index definition after the names
  size_t real_index_columns_offset;  // where its ten (column, order) pairs begin
  size_t logical_index_entry_size;

  // Text (Jet 4): UCS-2, two bytes a character, which is also how a Text
  // column's length counts; or the compressed form, which starts with a
  // marker and switches between one- and two-byte runs at each toggle byte.
  static constexpr size_t kTextBytesPerCharacter = 2;
  static constexpr uint8_t kCompressedTextMarker[] = {0xff, 0xfe};
  static constexpr uint8_t kCompressedTextToggle = 0x00;

  // Rows.
  size_t row_column_count_size;  // 1 (Jet 3) or 2 (Jet 4) bytes
  size_t row_var_offset_size;    // 1 (Jet 3, with jump table) or 2 (Jet 4)

  // Long values (memo and OLE): a 12-byte field in the row whose first four
  // bytes hold the length, with the storage kind in the top two bits, and
  // whose next four a row pointer to the long-value row.
  static constexpr size_t kLongValueHeaderSize = 12;
  static constexpr uint32_t kLongValueLengthMask = 0x3fffffff;
  static constexpr uint32_t kLongValueKindMask = 0xc0000000;
  static constexpr uint32_t kLongValueInline = 0x80000000;     // bytes follow the field
  static constexpr uint32_t kLongValueSingleRow = 0x40000000;  // in one long-value row
  static constexpr uint32_t kLongValueRowChain = 0x00000000;   // in chained rows
  static constexpr size_t kLongValuePointerOffset = 4;
  // Each chained row starts with the pointer to the next one.
  static constexpr size_t kLongValueChainPointerSize = 4;

  // Usage maps.
  size_t usage_map_bytes;  // bitmap bytes of an inline (type 0) map row

  // The "General" sort order, Jet's default collation for text.
  static constexpr uint16_t kGeneralSortOrder = 0x0409;

  // Dates: days since 30 December 1899, the time of day as the fraction.
  static constexpr int64_t kUnixEpochDays = 25569;  // 1970-01-01 in those days
  static constexpr double kSecondsPerDay = 86400.0;

  // Only Jet 4 files are written; Jet 3 (Access 97) ones are read.
  bool writable() const { return version == JetVersion::kJet4; }
};

// Whether a page (at least its header) is of this type.
inline bool IsPageType(const std::vector<uint8_t>& page, PageType type) {
  return page[Format::kPageTypeOffset] == static_cast<uint8_t>(type);
}

// Starts a page of this type: its type and marker bytes.
inline void SetPageType(PageType type, std::vector<uint8_t>* page) {
  (*page)[Format::kPageTypeOffset] = static_cast<uint8_t>(type);
  (*page)[Format::kPageMarkerOffset] = Format::kPageMarker;
}

const Format& Jet3Format();
const Format& Jet4Format();

}  // namespace jet
