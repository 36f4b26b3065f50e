#include "jet/name_fold.h"

#include <cstddef>

namespace jet {

namespace {

constexpr char32_t kInvalid = 0xffffffff;

// Reads one UTF-8 code point at *i; a malformed byte reads as itself, marked
// so that it only equals the same byte.
char32_t NextCodePoint(std::string_view s, size_t* i) {
  const unsigned char lead = static_cast<unsigned char>(s[*i]);
  size_t extra = 0;
  char32_t c = lead;
  if (lead >= 0xc0 && lead < 0xe0) {
    extra = 1, c = lead & 0x1f;
  } else if (lead >= 0xe0 && lead < 0xf0) {
    extra = 2, c = lead & 0x0f;
  } else if (lead >= 0xf0 && lead < 0xf8) {
    extra = 3, c = lead & 0x07;
  } else if (lead >= 0x80) {
    ++*i;
    return kInvalid - lead;
  }
  if (*i + extra >= s.size()) {
    ++*i;
    return kInvalid - lead;
  }
  for (size_t k = 1; k <= extra; ++k) {
    const unsigned char next = static_cast<unsigned char>(s[*i + k]);
    if ((next & 0xc0) != 0x80) {
      ++*i;
      return kInvalid - lead;
    }
    c = (c << 6) | (next & 0x3f);
  }
  *i += 1 + extra;
  return c;
}

char32_t Fold(char32_t c) {
  constexpr char32_t kCaseDistance = 0x20;
  if (c >= U'A' && c <= U'Z') return c + kCaseDistance;
  if (c >= 0xc0 && c <= 0xde && c != 0xd7) return c + kCaseDistance;
  return c;
}

}  // namespace

bool NamesEqual(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (Fold(NextCodePoint(a, &i)) != Fold(NextCodePoint(b, &j))) return false;
  }
  return i == a.size() && j == b.size();
}

}  // namespace jet
