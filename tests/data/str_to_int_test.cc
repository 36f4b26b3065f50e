#include "data/str_to_int.h"

#include <gtest/gtest.h>

#include <string>

#include "data/error.h"

namespace lexmira {
namespace {

TEST(StrToIntTest, AcceptsDecimalAndHexadecimal) {
  struct Case {
    std::string text;
    int32_t value;
  };
  const Case cases[] = {
      {"0", 0},
      {"2000", 2000},
      {"+15", 15},
      {"-15", -15},
      {"007", 7},
      {"$ff", 255},
      {"$FF", 255},
      {"0x1A", 26},
      {"0X1a", 26},
      {"-$10", -16},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$7FFFFFFF", 2147483647},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
    EXPECT_EQ(TryStrToInt(c.text), c.value) << c.text;
  }
}

TEST(StrToIntTest, RejectsEverythingElseWithTheRunTimeMessage) {
  const std::string bad[] = {
      "",   " ",      " 12",        "12 ",       "1.5",       "1e3",   "abc", "+",  "-",
      "$",  "0x",     "$G",         "12a",       "--1",       "+-1",   "1,000",
      "2147483648",   "-2147483649", "$80000000", "99999999999999999999",
  };
  for (const std::string& text : bad) {
    EXPECT_FALSE(TryStrToInt(text).has_value()) << text;
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace lexmira
