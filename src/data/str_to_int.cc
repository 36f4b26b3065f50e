#include "data/str_to_int.h"

#include <limits>
#include <string>

#include "data/error.h"

namespace lexmira {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kHexBase = 16;

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return kHexBase;  // no digit in any base used here
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = kDecimalBase;
  if (text.starts_with('$')) {
    base = kHexBase;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = kHexBase;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  // The magnitude may reach 2^31 for the most negative value.
  const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                 : int64_t{std::numeric_limits<int32_t>::max()};
  int64_t magnitude = 0;
  for (char c : text) {
    const int digit = DigitValue(c);
    if (digit >= base) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

int32_t StrToInt(std::string_view text) {
  if (std::optional<int32_t> value = TryStrToInt(text)) return *value;
  throw Error("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace lexmira
