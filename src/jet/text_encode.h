// Text as Jet 4 stores it, made from UTF-8: UCS-2 little endian, or the
// compressed form (a leading 0xFF 0xFE) where that is shorter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "jet/status.h"

namespace jet {

// The UTF-16 code units of UTF-8 text; false when the input is not UTF-8.
bool Utf8ToUtf16(std::string_view utf8, std::u16string* units);

// The number of characters (code points) of valid UTF-8 text.
size_t CountCharacters(std::string_view utf8);

// The stored bytes of a text value. `compressible` allows the compressed form
// (the column's compressed-unicode flag); it is used only when shorter.
std::string EncodeJet4Text(const std::u16string& units, bool compressible);

}  // namespace jet
