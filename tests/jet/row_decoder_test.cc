// Rows split into their columns: Jet 3 rows past 256 bytes with their jump
// table, rows written before columns were added, and damaged offsets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/row_decoder.h"
#include "jet/table_def.h"

namespace {

jet::ColumnDef VarText(const char* name, uint16_t number, uint16_t var_index) {
  jet::ColumnDef c{};
  c.name = name;
  c.type = jet::ColumnType::kText;
  c.number = number;
  c.var_index = var_index;
  c.flags = jet::kColumnNullable;
  return c;
}

jet::ColumnDef FixedLong(const char* name, uint16_t number, uint16_t fixed_offset) {
  jet::ColumnDef c{};
  c.name = name;
  c.type = jet::ColumnType::kLongInteger;
  c.number = number;
  c.fixed_offset = fixed_offset;
  c.length = 4;
  c.flags = jet::kColumnFixedLength;
  return c;
}

std::string FieldText(const jet::RowDecoder& decoder, const jet::ColumnDef& column) {
  jet::FieldBytes field;
  const jet::Status s = decoder.Field(column, &field);
  EXPECT_TRUE(s.ok()) << s.message();
  if (field.is_null) return "<null>";
  return std::string(reinterpret_cast<const char*>(field.data), field.size);
}

// A Jet 3 row of three text columns: one byte for the count, the data, then
// eod and the offsets (low bytes, reversed), the jump table, the variable
// column count and the null mask.
std::vector<uint8_t> Jet3Row(const std::vector<std::string>& values,
                             const std::vector<uint8_t>& jumps) {
  std::vector<uint8_t> row{static_cast<uint8_t>(values.size())};
  std::vector<size_t> offsets;
  for (const std::string& v : values) {
    offsets.push_back(row.size());
    row.insert(row.end(), v.begin(), v.end());
  }
  offsets.push_back(row.size());       // eod
  for (size_t i = offsets.size(); i-- > 0;) row.push_back(static_cast<uint8_t>(offsets[i] & 0xff));
  for (size_t i = jumps.size(); i-- > 0;) row.push_back(jumps[i]);
  row.push_back(static_cast<uint8_t>(values.size()));
  row.push_back(0x07);  // all three present
  return row;
}

struct Jet3Case {
  const char* name;
  std::vector<std::string> values;
  std::vector<uint8_t> jumps;  // logical order: the span after 256, after 512, ...
};

const Jet3Case kJet3Cases[] = {
    {"short_row_has_no_jump_table", {"alpha", "beta", "gamma"}, {}},
    {"third_column_past_256", {std::string(10, 'a'), std::string(300, 'b'), "tail"}, {2}},
    // eod (505) lies below 512 but the row's length (513) asks for two
    // entries: the second is the unused 0xff.
    {"unused_jump_entry", {std::string(10, 'a'), std::string(300, 'b'), std::string(194, 'c')},
     {2, 0xff}},
    {"long_column_spans_two_jumps", {"x", std::string(600, 'b'), "tail"}, {2, 2}},
};

class Jet3RowTest : public testing::TestWithParam<Jet3Case> {};

TEST_P(Jet3RowTest, FindsEachColumn) {
  const Jet3Case& c = GetParam();
  jet::TableDef def{};
  def.max_columns = 3;
  def.var_column_count = 3;
  def.columns = {VarText("a", 0, 0), VarText("b", 1, 1), VarText("c", 2, 2)};
  const std::vector<uint8_t> row = Jet3Row(c.values, c.jumps);
  ASSERT_EQ((row.size() - 1) / 256, c.jumps.size()) << "case needs a different jump count";

  jet::RowDecoder decoder(jet::Jet3Format(), def);
  const jet::Status s = decoder.Parse(row.data(), row.size());
  ASSERT_TRUE(s.ok()) << s.message();
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(FieldText(decoder, def.columns[i]), c.values[i]);
}

INSTANTIATE_TEST_SUITE_P(Rows, Jet3RowTest, testing::ValuesIn(kJet3Cases),
                         [](const testing::TestParamInfo<Jet3Case>& info) {
                           return std::string(info.param.name);
                         });

// Jet 4 row: count(2) fixed var eod(2) offsets(2 each, reversed) var_count(2)
// null mask.
std::vector<uint8_t> Jet4Row(uint16_t column_count, const std::vector<uint8_t>& fixed,
                             const std::vector<std::string>& vars, uint8_t null_mask) {
  std::vector<uint8_t> row{static_cast<uint8_t>(column_count), 0};
  row.insert(row.end(), fixed.begin(), fixed.end());
  std::vector<uint16_t> offsets;
  for (const std::string& v : vars) {
    offsets.push_back(static_cast<uint16_t>(row.size()));
    row.insert(row.end(), v.begin(), v.end());
  }
  offsets.push_back(static_cast<uint16_t>(row.size()));
  for (size_t i = offsets.size(); i-- > 0;) {
    row.push_back(static_cast<uint8_t>(offsets[i]));
    row.push_back(static_cast<uint8_t>(offsets[i] >> 8));
  }
  row.push_back(static_cast<uint8_t>(vars.size()));
  row.push_back(0);
  row.push_back(null_mask);
  return row;
}

TEST(Jet4Row, ColumnsAddedAfterTheRowReadAsNull) {
  // Column 1 was deleted; columns 3 and 4 were added after this row.
  jet::TableDef def{};
  def.max_columns = 5;
  def.var_column_count = 2;
  def.columns = {FixedLong("id", 0, 0), VarText("word", 2, 0), FixedLong("added_fixed", 3, 4),
                 VarText("added_var", 4, 1)};
  const std::vector<uint8_t> row = Jet4Row(3, {'1', '2', '3', '4'}, {"hello"}, 0x05);
  jet::RowDecoder decoder(jet::Jet4Format(), def);
  ASSERT_TRUE(decoder.Parse(row.data(), row.size()).ok());
  EXPECT_EQ(FieldText(decoder, def.columns[0]), "1234");
  EXPECT_EQ(FieldText(decoder, def.columns[1]), "hello");
  EXPECT_EQ(FieldText(decoder, def.columns[2]), "<null>");
  EXPECT_EQ(FieldText(decoder, def.columns[3]), "<null>");
}

TEST(Jet4Row, EmptyTextIsNotNull) {
  jet::TableDef def{};
  def.max_columns = 2;
  def.var_column_count = 2;
  def.columns = {VarText("a", 0, 0), VarText("b", 1, 1)};
  const std::vector<uint8_t> row = Jet4Row(2, {}, {"", ""}, 0x01);
  jet::RowDecoder decoder(jet::Jet4Format(), def);
  ASSERT_TRUE(decoder.Parse(row.data(), row.size()).ok());
  EXPECT_EQ(FieldText(decoder, def.columns[0]), "");
  EXPECT_EQ(FieldText(decoder, def.columns[1]), "<null>");
}

struct DamagedCase {
  const char* name;
  size_t byte;   // index into the sound row below
  uint8_t value;
};

// Sound row: 01 00 | 'a' 'b' | 04 00 (eod) 02 00 (offset 0) | 01 00 | 01
const DamagedCase kDamaged[] = {
    {"offset_past_eod", 6, 0x09},
    {"eod_past_trailer", 4, 0x40},
    {"huge_var_count", 8, 0xff},
    {"huge_column_count", 1, 0xff},
};

class DamagedRowTest : public testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedRowTest, IsCorruption) {
  jet::TableDef def{};
  def.max_columns = 2;
  def.var_column_count = 1;
  def.columns = {VarText("a", 0, 0)};
  std::vector<uint8_t> row = Jet4Row(1, {}, {"ab"}, 0x01);
  ASSERT_EQ(row.size(), 11u);
  row[GetParam().byte] = GetParam().value;
  jet::RowDecoder decoder(jet::Jet4Format(), def);
  EXPECT_EQ(decoder.Parse(row.data(), row.size()).code(), jet::Status::Code::kCorruption);
}

INSTANTIATE_TEST_SUITE_P(Rows, DamagedRowTest, testing::ValuesIn(kDamaged),
                         [](const testing::TestParamInfo<DamagedCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
