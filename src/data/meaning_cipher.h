// The cipher of the stored meanings: hexadecimal text of the meaning's
// code-page-936 bytes, each byte XORed with the key's bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "data/message_sink.h"

namespace lexmira {

inline constexpr std::string_view MeaningKey = "82k915";

// The message shown for a stored meaning of odd length.
inline constexpr std::string_view kBadCipherMessage = "密文错误！";

// Each byte as two upper-case hexadecimal digits ("A" -> "41").
std::string TextToHex(std::string_view bytes);

// The bytes of an even-length hex text, each pair read with the run-time's
// integer conversion as "$" + pair; throws Error
// "'$<pair>' is not a valid integer value" at the first pair that is not two
// hexadecimal digits. An odd trailing character is ignored.
std::string HexToText(std::string_view hex);

// Deciphers a stored meaning into its code-page-936 bytes (convert with
// Cp936ToUtf8 for display). Odd length: shows kBadCipherMessage through
// `messages` once and gives no result. A bad pair throws Error as HexToText.
// Empty gives empty, silently.
std::optional<std::string> DecodeText(std::string_view stored, std::string_view key,
                                      MessageSink& messages);

// Enciphers code-page-936 bytes into the stored form (upper-case hex), as
// used when words.mdb is built. DecodeText(EncodeText(b, k), k) == b.
std::string EncodeText(std::string_view bytes, std::string_view key);

}  // namespace lexmira
