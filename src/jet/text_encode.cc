#include "jet/text_encode.h"

#include "jet/format.h"

namespace jet {

namespace {

// The compressed form's toggle is a zero byte, so a character whose low
// byte is zero cannot be stored there.

bool HasZeroLowByte(char16_t unit) {
  return (unit & 0xff) == 0;
}
bool IsOneByte(char16_t unit) {
  return unit < 0x100;
}

void AppendUnit(char16_t unit, std::string* out) {
  out->push_back(static_cast<char>(unit & 0xff));
  out->push_back(static_cast<char>(unit >> 8));
}

}  // namespace

bool Utf8ToUtf16(std::string_view utf8, std::u16string* units) {
  units->clear();
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t extra;
    char32_t c;
    if (lead < 0x80) {
      extra = 0;
      c = lead;
    } else if ((lead & 0xe0) == 0xc0) {
      extra = 1;
      c = lead & 0x1f;
    } else if ((lead & 0xf0) == 0xe0) {
      extra = 2;
      c = lead & 0x0f;
    } else if ((lead & 0xf8) == 0xf0) {
      extra = 3;
      c = lead & 0x07;
    } else {
      return false;
    }
    if (i + extra >= utf8.size() && extra > 0) return false;
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xc0) != 0x80) return false;
      c = (c << 6) | (next & 0x3f);
    }
    static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff)) return false;
    if (c >= 0x10000) {
      c -= 0x10000;
      units->push_back(static_cast<char16_t>(0xd800 + (c >> 10)));
      units->push_back(static_cast<char16_t>(0xdc00 + (c & 0x3ff)));
    } else {
      units->push_back(static_cast<char16_t>(c));
    }
    i += extra + 1;
  }
  return true;
}

size_t CountCharacters(std::string_view utf8) {
  constexpr uint8_t kContinuationMask = 0xc0, kContinuation = 0x80;  // 10xxxxxx
  size_t count = 0;
  for (char c : utf8) {
    if ((static_cast<uint8_t>(c) & kContinuationMask) != kContinuation) ++count;
  }
  return count;
}

std::string EncodeJet4Text(const std::u16string& units, bool compressible) {
  std::string plain;
  plain.reserve(units.size() * 2);
  for (char16_t unit : units) AppendUnit(unit, &plain);
  if (!compressible || units.empty()) return plain;

  std::string packed(reinterpret_cast<const char*>(Format::kCompressedTextMarker),
                     sizeof Format::kCompressedTextMarker);
  bool one_byte_mode = true;
  for (char16_t unit : units) {
    if (HasZeroLowByte(unit)) return plain;
    const bool one_byte = IsOneByte(unit);
    if (one_byte != one_byte_mode) {
      packed.push_back(static_cast<char>(Format::kCompressedTextToggle));
      one_byte_mode = one_byte;
    }
    if (one_byte) {
      packed.push_back(static_cast<char>(unit));
    } else {
      AppendUnit(unit, &packed);
    }
    if (packed.size() >= plain.size()) return plain;
  }
  return packed;
}

}  // namespace jet
