// The cipher of the stored meanings: hexadecimal text of the meaning's
// code-page-936 bytes, each byte XORed with the key's bytes.
#pragma once

#include <string>
#include <string_view>

namespace lexmira {

inline constexpr std::string_view MeaningKey = "82k915";

// Enciphers code-page-936 bytes into the stored form (upper-case hex), as
// used when words.mdb is built.
std::string EncodeText(std::string_view bytes, std::string_view key);

}  // namespace lexmira
