#include "data/text_trim.h"

namespace lexmira {
namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string Trim(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsTrimmed(text.back())) text.remove_suffix(1);
  return std::string(text);
}

}  // namespace lexmira
