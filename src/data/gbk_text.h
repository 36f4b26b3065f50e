// Conversion between UTF-8 and code page 936 (GBK) through iconv.
#pragma once

#include <string>
#include <string_view>

namespace lexmira {

// Converts UTF-8 to code-page-936 bytes; false when a character has no
// code-page-936 form (or the input is not UTF-8).
bool Utf8ToCp936(std::string_view utf8, std::string* cp936);

// Converts code-page-936 bytes to UTF-8 for display. Bytes that are not valid
// GBK (a stray lead byte, a cut-off pair) each become U+FFFD; never fails.
std::string Cp936ToUtf8(std::string_view cp936);

}  // namespace lexmira
