// Whole-number fields read as numbers: the same values their text shows.
#include "jet/whole_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using T = jet::ColumnType;

jet::ColumnDef Column(T type) {
  jet::ColumnDef column{};
  column.name = "id";
  column.type = type;
  return column;
}

jet::FieldBytes Field(const std::vector<uint8_t>& bytes) {
  jet::FieldBytes field;
  field.is_null = false;
  field.data = bytes.data();
  field.size = bytes.size();
  return field;
}

TEST(WholeNumber, ReadsEachWholeNumberTypeWithItsSign) {
  struct Case {
    T type;
    std::vector<uint8_t> bytes;
    int64_t number;
  };
  const Case cases[] = {
      {T::kByte, {0xff}, 255},
      {T::kInteger, {0xff, 0xff}, -1},
      {T::kInteger, {0x39, 0x30}, 12345},
      {T::kLongInteger, {0x00, 0x00, 0x00, 0x80}, INT32_MIN},
      {T::kLongInteger, {0x76, 0x28, 0x00, 0x00}, 10358},
  };
  for (const Case& c : cases) {
    std::optional<int64_t> value;
    const jet::Status s = jet::WholeNumber(Column(c.type), Field(c.bytes), &value);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(value, c.number) << "type " << static_cast<int>(c.type);
  }
}

TEST(WholeNumber, NullIsNoNumber) {
  std::optional<int64_t> value = 7;
  ASSERT_TRUE(jet::WholeNumber(Column(T::kLongInteger), jet::FieldBytes{}, &value).ok());
  EXPECT_EQ(value, std::nullopt);
}

TEST(WholeNumber, RefusesShortFieldsAndOtherTypes) {
  std::optional<int64_t> value;
  const std::vector<uint8_t> two_bytes = {1, 2};
  EXPECT_EQ(jet::WholeNumber(Column(T::kLongInteger), Field(two_bytes), &value).code(),
            jet::Status::Code::kCorruption);
  for (T type : {T::kText, T::kDouble, T::kCurrency, T::kBoolean}) {
    EXPECT_EQ(jet::WholeNumber(Column(type), Field(two_bytes), &value).code(),
              jet::Status::Code::kInvalidArgument)
        << "type " << static_cast<int>(type);
  }
}

}  // namespace
