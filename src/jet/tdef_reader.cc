#include "jet/tdef_reader.h"

#include <string>
#include <unordered_set>
#include <vector>

#include "jet/little_endian.h"
#include "jet/text_decode.h"

namespace jet {

namespace {

constexpr size_t kIndexColumnSlots = 10;
constexpr size_t kIndexColumnSlotSize = 3;  // column number and sort order
constexpr uint16_t kNoIndexColumn = 0xffff;

// Reads the definition's bytes in order, checking each step against the end.
class DefinitionBytes {
 public:
  DefinitionBytes(const std::vector<uint8_t>& bytes, const std::string& where)
      : bytes_(bytes), where_(where) {}

  size_t position() const { return position_; }
  const uint8_t* At(size_t offset) const { return bytes_.data() + offset; }

  // Ok when `length` more bytes follow the current position.
  Status Need(size_t length, const char* what) const {
    if (length > bytes_.size() || position_ > bytes_.size() - length) {
      return Status::Corruption(where_ + ": " + what + " run past the end of the definition");
    }
    return Status::OK();
  }
  void Skip(size_t length) { position_ += length; }

 private:
  const std::vector<uint8_t>& bytes_;
  const std::string& where_;
  size_t position_ = 0;
};

// Joins the chain of definition pages into one buffer laid out as if the
// first page went on without the later pages' headers.
Status ReadChain(const PageFile& file, uint32_t first, const std::string& where,
                 std::vector<uint8_t>* bytes) {
  std::unordered_set<uint32_t> seen;
  std::vector<uint8_t> page;
  uint32_t current = first;
  while (true) {
    if (!seen.insert(current).second) {
      return Status::Corruption(where + ": the definition pages loop back to page " +
                                std::to_string(current));
    }
    Status s = file.ReadPage(current, &page);
    if (!s.ok()) return s;
    if (!IsPageType(page, PageType::kTableDefinition)) {
      return Status::Corruption(where + ": page " + std::to_string(current) +
                                " is not a table definition page");
    }
    if (bytes->empty()) {
      bytes->assign(page.begin(), page.end());
    } else {
      bytes->insert(bytes->end(), page.begin() + Format::kTdefPageHeaderSize, page.end());
    }
    current = LoadU32(page.data() + Format::kTdefNextPageOffset);
    if (current == 0) return Status::OK();
  }
}

}  // namespace

Status ReadTableDef(const PageFile& file, const Format& format, uint32_t page, TableDef* def) {
  const std::string where = file.path() + ": table definition at page " + std::to_string(page);
  std::vector<uint8_t> bytes;
  Status s = ReadChain(file, page, where, &bytes);
  if (!s.ok()) return s;
  DefinitionBytes in(bytes, where);
  if (Status need = in.Need(format.tdef_block_end, "the table header"); !need.ok()) return need;

  def->definition_page = page;
  def->row_count = LoadU32(in.At(format.tdef_row_count_offset));
  def->max_columns = LoadU16(in.At(format.tdef_max_columns_offset));
  def->var_column_count = LoadU16(in.At(format.tdef_var_columns_offset));
  const uint16_t column_count = LoadU16(in.At(format.tdef_column_count_offset));
  const uint32_t real_index_count = LoadU32(in.At(format.tdef_real_index_count_offset));
  def->used_pages_pointer = LoadU32(in.At(format.tdef_used_pages_offset));
  def->free_pages_pointer = LoadU32(in.At(format.tdef_free_pages_offset));
  in.Skip(format.tdef_block_end);

  // Check each count against the bytes it needs before trusting it with an
  // allocation.
  if (real_index_count > bytes.size() / format.real_index_count_entry_size) {
    return Status::Corruption(where + ": index count " + std::to_string(real_index_count) +
                              " is impossible");
  }
  if (s = in.Need(real_index_count * format.real_index_count_entry_size, "the index row counts");
      !s.ok()) {
    return s;
  }
  in.Skip(real_index_count * format.real_index_count_entry_size);

  if (s = in.Need(size_t{column_count} * format.column_entry_size, "the column definitions");
      !s.ok()) {
    return s;
  }
  def->columns.clear();
  def->columns.reserve(column_count);
  for (uint16_t i = 0; i < column_count; ++i) {
    const uint8_t* c = in.At(in.position());
    ColumnDef col;
    col.type = static_cast<ColumnType>(c[format.column_type_offset]);
    col.number = LoadU16(c + format.column_number_offset);
    col.var_index = LoadU16(c + format.column_var_index_offset);
    col.precision = c[format.column_misc_offset];
    col.scale = c[format.column_misc_offset + 1];
    col.sort_order = LoadU16(c + format.column_misc_offset);
    col.flags = c[format.column_flags_offset];
    col.misc_flags = format.version == JetVersion::kJet4 ? c[format.column_misc_flags_offset] : 0;
    col.fixed_offset = LoadU16(c + format.column_fixed_offset_offset);
    col.length = LoadU16(c + format.column_length_offset);
    if (col.number >= def->max_columns) {
      return Status::Corruption(where + ": column number " + std::to_string(col.number) +
                                " exceeds the table's " + std::to_string(def->max_columns) +
                                " columns");
    }
    def->columns.push_back(col);
    in.Skip(format.column_entry_size);
  }

  for (ColumnDef& col : def->columns) {
    if (s = in.Need(format.column_name_length_size, "the column names"); !s.ok()) return s;
    const uint8_t* p = in.At(in.position());
    const size_t name_size = format.column_name_length_size == 2 ? LoadU16(p) : p[0];
    in.Skip(format.column_name_length_size);
    if (s = in.Need(name_size, "the column names"); !s.ok()) return s;
    col.name.clear();
    // Names are plain UCS-2 in Jet 4, never the compressed form.
    AppendText(format, in.At(in.position()), name_size, &col.name);
    in.Skip(name_size);
  }

  if (s = in.Need(real_index_count * format.real_index_entry_size, "the index definitions");
      !s.ok()) {
    return s;
  }
  def->real_indexes.clear();
  def->real_indexes.reserve(real_index_count);
  for (uint32_t i = 0; i < real_index_count; ++i) {
    const uint8_t* slot = in.At(in.position() + format.real_index_columns_offset);
    IndexDef index;
    for (size_t k = 0; k < kIndexColumnSlots; ++k, slot += kIndexColumnSlotSize) {
      const uint16_t number = LoadU16(slot);
      if (number != kNoIndexColumn) index.column_numbers.push_back(number);
    }
    def->real_indexes.push_back(std::move(index));
    in.Skip(format.real_index_entry_size);
  }
  return Status::OK();
}

}  // namespace jet
