#include "jet/value_encoder.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "jet/format.h"
#include "jet/little_endian.h"
#include "jet/text_encode.h"

namespace jet {

namespace {

constexpr int64_t kCurrencyScale = 10000;     // Currency is a count of 1/10000 units
constexpr double kCurrencyLimit = 9.2e18;     // within the 64 bits of a Currency value

std::string ColumnLabel(const ColumnDef& column) {
  return "column \"" + column.name + "\"";
}

Status NotAnInteger(const ColumnDef& column, std::string_view text) {
  return Status::InvalidArgument(ColumnLabel(column) + ": '" + std::string(text) +
                                 "' is not a valid integer value");
}

Status NotANumber(const ColumnDef& column, std::string_view text) {
  return Status::InvalidArgument(ColumnLabel(column) + ": '" + std::string(text) +
                                 "' is not a valid number");
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

Status ParseInteger(const ColumnDef& column, std::string_view text, int64_t low, int64_t high,
                    int64_t* value) {
  std::string_view digits = Trimmed(text);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return NotAnInteger(column, text);
  }
  if (*value < low || *value > high) {
    return Status::InvalidArgument(ColumnLabel(column) + ": " + std::string(digits) +
                                   " is out of range (" + std::to_string(low) + " to " +
                                   std::to_string(high) + ")");
  }
  return Status::OK();
}

Status ParseReal(const ColumnDef& column, std::string_view text, double* value) {
  const std::string digits(Trimmed(text));
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), *value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      !std::isfinite(*value)) {
    return NotANumber(column, text);
  }
  return Status::OK();
}

std::string LittleEndian(uint64_t value, size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

// An integer column's value in the column's own width, range-checked.
template <typename Stored>
Status EncodeInteger(const ColumnDef& column, std::string_view text, std::string* stored) {
  int64_t integer = 0;
  if (Status s = ParseInteger(column, text, std::numeric_limits<Stored>::min(),
                              std::numeric_limits<Stored>::max(), &integer);
      !s.ok()) {
    return s;
  }
  *stored = LittleEndian(static_cast<uint64_t>(integer), sizeof(Stored));
  return Status::OK();
}

}  // namespace

Status EncodeColumnText(const ColumnDef& column, std::string_view text, std::string* stored,
                        size_t* characters) {
  std::u16string units;
  if (!Utf8ToUtf16(text, &units)) {
    return Status::InvalidArgument(ColumnLabel(column) + ": the value is not UTF-8 text");
  }
  *characters = units.size();
  *stored = EncodeJet4Text(units, (column.misc_flags & kColumnCompressedUnicode) != 0);
  return Status::OK();
}

Status EncodeValue(const ColumnDef& column, std::string_view text, std::string* stored) {
  double real = 0;
  switch (column.type) {
    case ColumnType::kText: {
      size_t characters = 0;
      if (Status s = EncodeColumnText(column, text, stored, &characters); !s.ok()) return s;
      // The column's length counts UTF-16 units, so a character beyond
      // U+FFFF (an emoji, say) takes the room of two.
      const size_t limit = column.length / Format::kTextBytesPerCharacter;
      if (characters > limit) {
        const size_t real_characters = CountCharacters(text);
        const std::string size = real_characters == characters
                                     ? std::to_string(characters) + " characters"
                                     : std::to_string(real_characters) +
                                           " characters, which take the room of " +
                                           std::to_string(characters) +
                                           " (characters beyond U+FFFF, such as emoji, "
                                           "count twice),";
        return Status::InvalidArgument(ColumnLabel(column) + ": the text has " + size +
                                       " more than the " + std::to_string(limit) +
                                       " the column holds");
      }
      return Status::OK();
    }
    case ColumnType::kBoolean: {
      const std::string_view word = Trimmed(text);
      if (word == "1" || word == "-1" || word == "true" || word == "True") {
        *stored = std::string(1, '\1');
      } else if (word == "0" || word == "false" || word == "False") {
        *stored = std::string(1, '\0');
      } else {
        return Status::InvalidArgument(ColumnLabel(column) + ": '" + std::string(text) +
                                       "' is not a valid Boolean value");
      }
      return Status::OK();
    }
    case ColumnType::kByte:
      return EncodeInteger<uint8_t>(column, text, stored);
    case ColumnType::kInteger:
      return EncodeInteger<int16_t>(column, text, stored);
    case ColumnType::kLongInteger:
      return EncodeInteger<int32_t>(column, text, stored);
    case ColumnType::kCurrency: {
      if (Status s = ParseReal(column, text, &real); !s.ok()) return s;
      const double units = std::round(real * kCurrencyScale);
      if (std::fabs(units) >= kCurrencyLimit) return NotANumber(column, text);
      *stored = LittleEndian(static_cast<uint64_t>(static_cast<int64_t>(units)), sizeof(int64_t));
      return Status::OK();
    }
    case ColumnType::kSingle: {
      if (Status s = ParseReal(column, text, &real); !s.ok()) return s;
      if (std::fabs(real) > std::numeric_limits<float>::max()) return NotANumber(column, text);
      const float single = static_cast<float>(real);
      uint32_t bits;
      std::memcpy(&bits, &single, sizeof bits);
      *stored = LittleEndian(bits, sizeof bits);
      return Status::OK();
    }
    case ColumnType::kDouble: {
      if (Status s = ParseReal(column, text, &real); !s.ok()) return s;
      uint64_t bits;
      std::memcpy(&bits, &real, sizeof bits);
      *stored = LittleEndian(bits, sizeof bits);
      return Status::OK();
    }
    default:
      return Status::NotSupported(ColumnLabel(column) + ": writing columns of type " +
                                  std::to_string(static_cast<int>(column.type)) +
                                  " is not supported");
  }
}

}  // namespace jet
