#include "data/meaning_cipher.h"

#include <cstdint>

#include "data/str_to_int.h"

namespace lexmira {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Every pass of the cipher XORs every byte with one key byte, so all passes
// together XOR each byte with the XOR of the whole key.
uint8_t CombinedKey(std::string_view key) {
  uint8_t combined = 0;
  for (char c : key) combined ^= static_cast<uint8_t>(c);
  return combined;
}

// Reads one pair the way the run-time does: "$" + pair through the integer
// conversion, so a bad pair fails with its "$"-prefixed text.
uint8_t PairValue(std::string_view pair) {
  std::string text = "$";
  text += pair;
  return static_cast<uint8_t>(StrToInt(text));
}

std::string XorBytes(std::string_view bytes, uint8_t mask) {
  std::string out(bytes);
  for (char& c : out) c = static_cast<char>(static_cast<uint8_t>(c) ^ mask);
  return out;
}

}  // namespace

std::string TextToHex(std::string_view bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    hex += kHexDigits[byte >> 4];
    hex += kHexDigits[byte & 0x0f];
  }
  return hex;
}

std::string HexToText(std::string_view hex) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(PairValue(hex.substr(i, 2)));
  }
  return bytes;
}

std::optional<std::string> DecodeText(std::string_view stored, std::string_view key,
                                      MessageSink& messages) {
  if (stored.size() % 2 != 0) {
    messages.ShowMessage(std::string(kBadCipherMessage));
    return std::nullopt;
  }
  return XorBytes(HexToText(stored), CombinedKey(key));
}

std::string EncodeText(std::string_view bytes, std::string_view key) {
  return TextToHex(XorBytes(bytes, CombinedKey(key)));
}

}  // namespace lexmira
