#include "jet/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "jet/little_endian.h"
#include "jet/text_decode.h"

namespace jet {

namespace {

constexpr unsigned kCurrencyPlaces = 4;  // currency is stored in ten-thousandths
// Dates outside the years 100 to 9999 are shown as their stored number.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;
constexpr uint8_t kDecimalNegative = 0x80;
constexpr size_t kDecimalWords = 4;

void AppendUnsigned(unsigned __int128 v, std::string* out) {
  char digits[40];
  size_t n = 0;
  // Most values fit 64 bits, whose division is far cheaper.
  while (v > UINT64_MAX) {
    digits[n++] = static_cast<char>('0' + static_cast<int>(v % 10));
    v /= 10;
  }
  uint64_t small = static_cast<uint64_t>(v);
  do {
    digits[n++] = static_cast<char>('0' + static_cast<int>(small % 10));
    small /= 10;
  } while (small != 0);
  while (n > 0) out->push_back(digits[--n]);
}

void AppendSigned(int64_t v, std::string* out) {
  if (v < 0) out->push_back('-');
  AppendUnsigned(v < 0 ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v),
                 out);
}

// A magnitude with `scale` digits after the point, all of them shown.
void AppendScaled(bool negative, unsigned __int128 magnitude, unsigned scale, std::string* out) {
  std::string digits;
  AppendUnsigned(magnitude, &digits);
  if (digits.size() <= scale) digits.insert(0, scale + 1 - digits.size(), '0');
  if (negative && magnitude != 0) out->push_back('-');
  out->append(digits, 0, digits.size() - scale);
  if (scale > 0) {
    out->push_back('.');
    out->append(digits, digits.size() - scale, scale);
  }
}

template <typename Float>
void AppendFloat(Float v, std::string* out) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
  out->append(buffer, result.ptr);
}

// Days since 1970-01-01 to year, month, day (proleptic Gregorian).
void CivilFromDays(int64_t z, int64_t* y, unsigned* m, unsigned* d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  *d = doy - (153 * mp + 2) / 5 + 1;
  *m = mp < 10 ? mp + 3 : mp - 9;
  *y = static_cast<int64_t>(yoe) + era * 400 + (*m <= 2 ? 1 : 0);
}

// A stored date is days since 1899-12-30; the whole part gives the day and
// the fraction, without its sign, the time of day.
void AppendDate(double stored, std::string* out) {
  if (!std::isfinite(stored) || stored < kFirstDay || stored > kLastDay) {
    AppendFloat(stored, out);
    return;
  }
  const double whole = std::trunc(stored);
  int64_t day = static_cast<int64_t>(whole);
  int64_t seconds = std::llround(std::fabs(stored - whole) * Format::kSecondsPerDay);
  if (seconds >= static_cast<int64_t>(Format::kSecondsPerDay)) {
    seconds -= static_cast<int64_t>(Format::kSecondsPerDay);
    ++day;
  }
  int64_t year;
  unsigned month, mday;
  CivilFromDays(day - Format::kUnixEpochDays, &year, &month, &mday);
  char buffer[40];
  const int n = std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u %02lld:%02lld:%02lld",
                              static_cast<long long>(year), month, mday,
                              static_cast<long long>(seconds / 3600),
                              static_cast<long long>(seconds / 60 % 60),
                              static_cast<long long>(seconds % 60));
  out->append(buffer, static_cast<size_t>(n));
}

void AppendGuid(const uint8_t* p, std::string* out) {
  char buffer[40];
  const int n = std::snprintf(
      buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", LoadU32(p),
      LoadU16(p + 4), LoadU16(p + 6), p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
  out->append(buffer, static_cast<size_t>(n));
}

// Jet 4 decimals: a sign byte, then the magnitude as four little-endian
// 32-bit words, the most significant word first.
void AppendDecimal(const uint8_t* p, unsigned scale, std::string* out) {
  unsigned __int128 magnitude = 0;
  for (size_t w = 0; w < kDecimalWords; ++w) magnitude = (magnitude << 32) | LoadU32(p + 1 + 4 * w);
  AppendScaled((p[0] & kDecimalNegative) != 0, magnitude, scale, out);
}

void AppendHex(const uint8_t* p, size_t size, std::string* out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (size_t i = 0; i < size; ++i) {
    out->push_back(kDigits[p[i] >> 4]);
    out->push_back(kDigits[p[i] & 0x0f]);
  }
}

}  // namespace

Status ValueText::Append(const ColumnDef& column, const FieldBytes& field, std::string* out) {
  if (column.type == ColumnType::kBoolean) {
    out->push_back(field.boolean ? '1' : '0');
    return Status::OK();
  }
  if (field.is_null) return Status::OK();
  const uint8_t* p = field.data;
  const size_t expected = column.fixed_size();
  const bool fixed_size_type = column.type != ColumnType::kText &&
                               column.type != ColumnType::kBinary &&
                               column.type != ColumnType::kMemo && column.type != ColumnType::kOle;
  if (fixed_size_type && field.size < expected) {
    return Status::Corruption("column '" + column.name + "' holds " + std::to_string(field.size) +
                              " bytes, too few for its type");
  }
  switch (column.type) {
    case ColumnType::kByte: AppendUnsigned(p[0], out); break;
    case ColumnType::kInteger: AppendSigned(static_cast<int16_t>(LoadU16(p)), out); break;
    case ColumnType::kLongInteger: AppendSigned(static_cast<int32_t>(LoadU32(p)), out); break;
    case ColumnType::kCurrency: {
      const int64_t v = static_cast<int64_t>(LoadU64(p));
      const unsigned __int128 magnitude =
          v < 0 ? -static_cast<unsigned __int128>(v) : static_cast<unsigned __int128>(v);
      AppendScaled(v < 0, magnitude, kCurrencyPlaces, out);
      break;
    }
    case ColumnType::kSingle: {
      float v;
      std::memcpy(&v, p, sizeof v);
      AppendFloat(v, out);
      break;
    }
    case ColumnType::kDouble:
    case ColumnType::kDateTime: {
      double v;
      const uint64_t bits = LoadU64(p);
      std::memcpy(&v, &bits, sizeof v);
      if (column.type == ColumnType::kDouble) {
        AppendFloat(v, out);
      } else {
        AppendDate(v, out);
      }
      break;
    }
    case ColumnType::kGuid: AppendGuid(p, out); break;
    case ColumnType::kDecimal: AppendDecimal(p, column.scale, out); break;
    case ColumnType::kText: AppendText(format_, p, field.size, out); break;
    case ColumnType::kBinary: AppendHex(p, field.size, out); break;
    case ColumnType::kMemo:
    case ColumnType::kOle: {
      Status s = long_values_.Read(p, field.size, &long_value_);
      if (!s.ok()) return s;
      const auto* bytes = reinterpret_cast<const uint8_t*>(long_value_.data());
      if (column.type == ColumnType::kMemo) {
        AppendText(format_, bytes, long_value_.size(), out);
      } else {
        AppendHex(bytes, long_value_.size(), out);
      }
      break;
    }
    default:
      return Status::NotSupported("column '" + column.name + "' has type " +
                                  std::to_string(static_cast<int>(column.type)) +
                                  ", which this engine does not read");
  }
  return Status::OK();
}

}  // namespace jet
