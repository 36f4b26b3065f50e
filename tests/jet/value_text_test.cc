// Stored values of every column type read as the engine's text renderings.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/table_def.h"
#include "jet/value_text.h"

namespace {

struct ValueCase {
  const char* name;
  jet::ColumnType type;
  std::vector<uint8_t> bytes;
  std::string text;
  bool jet3 = false;
  uint8_t scale = 0;
};

std::vector<uint8_t> DoubleBytes(double v) {
  std::vector<uint8_t> b(sizeof v);
  std::memcpy(b.data(), &v, sizeof v);
  return b;
}

std::vector<uint8_t> FloatBytes(float v) {
  std::vector<uint8_t> b(sizeof v);
  std::memcpy(b.data(), &v, sizeof v);
  return b;
}

// Decimal: a sign byte, then four little-endian words, most significant first.
std::vector<uint8_t> DecimalBytes(bool negative, uint32_t w0, uint32_t w1, uint32_t w2,
                                  uint32_t w3) {
  std::vector<uint8_t> b{static_cast<uint8_t>(negative ? 0x80 : 0x00)};
  for (uint32_t w : {w0, w1, w2, w3}) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(w >> (8 * i)));
  }
  return b;
}

using T = jet::ColumnType;

const ValueCase kCases[] = {
    {"byte_is_unsigned", T::kByte, {0xff}, "255"},
    {"integer_negative", T::kInteger, {0xff, 0xff}, "-1"},
    {"long_minimum", T::kLongInteger, {0x00, 0x00, 0x00, 0x80}, "-2147483648"},
    {"currency_four_places", T::kCurrency, {0xb8, 0x88, 0, 0, 0, 0, 0, 0}, "3.5000"},
    {"currency_negative_fraction", T::kCurrency, {0xc7, 0xcf, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff},
     "-1.2345"},
    {"single_shortest", T::kSingle, FloatBytes(0.1f), "0.1"},
    {"double_shortest", T::kDouble, DoubleBytes(444.555), "444.555"},
    {"date_epoch", T::kDateTime, DoubleBytes(0.0), "1899-12-30 00:00:00"},
    {"date_day", T::kDateTime, DoubleBytes(27293.0), "1974-09-21 00:00:00"},
    {"date_time", T::kDateTime, DoubleBytes(36526.75), "2000-01-01 18:00:00"},
    {"date_negative_time_counts_forward", T::kDateTime, DoubleBytes(-1.25), "1899-12-29 06:00:00"},
    {"date_rounds_into_next_day", T::kDateTime, DoubleBytes(0.999999999), "1899-12-31 00:00:00"},
    {"date_leap_day", T::kDateTime, DoubleBytes(36585.5), "2000-02-29 12:00:00"},
    {"guid", T::kGuid,
     {0x40, 0xfc, 0x29, 0x6b, 0x47, 0xca, 0x67, 0x10, 0xb3, 0x1d, 0x00, 0xdd, 0x01, 0x06, 0x62,
      0xda},
     "{6B29FC40-CA47-1067-B31D-00DD010662DA}"},
    {"decimal_scaled_negative", T::kDecimal, DecimalBytes(true, 0, 0, 0, 12340), "-12.340", false,
     3},
    {"decimal_leading_zero", T::kDecimal, DecimalBytes(false, 0, 0, 0, 5), "0.05", false, 2},
    {"decimal_high_word", T::kDecimal, DecimalBytes(false, 1, 0, 0, 0),
     "79228162514264337593543950336"},
    {"text_ucs2", T::kText, {'U', 0, 'm', 0, 's', 0, 0xe4, 0, 't', 0, 'z', 0, 'e', 0}, "Umsätze"},
    {"text_compressed_with_wide_run", T::kText, {0xff, 0xfe, 'a', 'b', 0x00, 0x2d, 0x4e, 0x00, 'c'},
     "ab中c"},
    {"text_surrogate_pair", T::kText, {0x3d, 0xd8, 0x00, 0xde}, "\xF0\x9F\x98\x80"},
    {"text_lone_surrogate_replaced", T::kText, {0x3d, 0xd8, 'a', 0}, "\xEF\xBF\xBD" "a"},
    {"text_jet3_code_page_1252", T::kText, {'S', 0xe4, 0x80}, "Sä€", true},
    {"binary_hex", T::kBinary, {0x00, 0xab, 0x10}, "00AB10"},
    {"memo_inline", T::kMemo, {6, 0, 0, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 'a', 0, 'b', 0, 'c', 0},
     "abc"},
};

class ValueTextTest : public testing::TestWithParam<ValueCase> {};

std::unique_ptr<jet::PageFile> AnyFile() {
  std::unique_ptr<jet::PageFile> file;
  EXPECT_TRUE(jet::PageFile::Open(std::string(LEXMIRA_FIXTURES_DIR) + "/testV2000.mdb",
                                  jet::OpenMode::kReadOnly, &file)
                  .ok());
  file->set_page_size(jet::Jet4Format().page_size);
  return file;
}

TEST_P(ValueTextTest, Renders) {
  const ValueCase& c = GetParam();
  std::unique_ptr<jet::PageFile> file = AnyFile();
  const jet::Format& format = c.jet3 ? jet::Jet3Format() : jet::Jet4Format();
  jet::ValueText values(*file, format);
  jet::ColumnDef column{};
  column.name = "c";
  column.type = c.type;
  column.scale = c.scale;
  column.length = static_cast<uint16_t>(c.bytes.size());
  jet::FieldBytes field;
  field.is_null = false;
  field.data = c.bytes.data();
  field.size = c.bytes.size();
  std::string text = "kept ";
  const jet::Status s = values.Append(column, field, &text);
  ASSERT_TRUE(s.ok()) << s.message();
  EXPECT_EQ(text, "kept " + c.text);
}

INSTANTIATE_TEST_SUITE_P(Types, ValueTextTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ValueCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(ValueText, TooFewBytesForTheTypeIsCorruption) {
  std::unique_ptr<jet::PageFile> file = AnyFile();
  jet::ValueText values(*file, jet::Jet4Format());
  jet::ColumnDef column{};
  column.name = "amount";
  column.type = jet::ColumnType::kDouble;
  const uint8_t bytes[3] = {1, 2, 3};
  jet::FieldBytes field;
  field.is_null = false;
  field.data = bytes;
  field.size = sizeof bytes;
  std::string text;
  const jet::Status s = values.Append(column, field, &text);
  EXPECT_EQ(s.code(), jet::Status::Code::kCorruption);
  EXPECT_NE(s.message().find("'amount'"), std::string::npos) << s.message();
}

TEST(ValueText, NullIsEmptyButBooleanIsNeverNull) {
  std::unique_ptr<jet::PageFile> file = AnyFile();
  jet::ValueText values(*file, jet::Jet4Format());
  jet::ColumnDef column{};
  column.type = jet::ColumnType::kText;
  jet::FieldBytes null_field;
  std::string text;
  ASSERT_TRUE(values.Append(column, null_field, &text).ok());
  EXPECT_EQ(text, "");
  column.type = jet::ColumnType::kBoolean;
  jet::FieldBytes flag;
  flag.boolean = true;
  ASSERT_TRUE(values.Append(column, flag, &text).ok());
  EXPECT_EQ(text, "1");
}

}  // namespace
