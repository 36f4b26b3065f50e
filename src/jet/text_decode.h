// Text as stored in a Jet file, turned into UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "jet/format.h"

namespace jet {

// Appends the UTF-8 form of a stored text value: Jet 4 stores UCS-2 little
// endian, or a compressed form marked by a leading 0xFF 0xFE; Jet 3 stores
// bytes of code page 1252 (the Western Windows code page, as files made on
// Western systems use). Malformed input yields U+FFFD, never an error.
void AppendText(const Format& format, const uint8_t* data, size_t size, std::string* out);

// Appends code point c as UTF-8.
void AppendUtf8(char32_t c, std::string* out);

}  // namespace jet
