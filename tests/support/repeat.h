// Long test values made of a repeated piece.
#pragma once

#include <string>

namespace test_support {

// `piece` written `times` times over.
inline std::string Repeat(const std::string& piece, size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace test_support
