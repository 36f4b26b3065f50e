#include "speech/language_markup.h"

#include <charconv>

namespace lexmira {
namespace {

constexpr std::string_view kTagOpening = "<LANG LANGID=\"";
constexpr std::string_view kTagClosing = "\">";
// A Windows language id is 16 bits: at most four hexadecimal digits.
constexpr std::size_t kMaxIdDigits = 4;
constexpr int kHex = 16;

}  // namespace

std::string LanguageTag(unsigned language_id) {
  char digits[kMaxIdDigits];
  const char* const end = std::to_chars(digits, digits + kMaxIdDigits, language_id, kHex).ptr;
  std::string tag(kTagOpening);
  tag.append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
  tag.append(kTagClosing);
  return tag;
}

MarkedText SplitLanguageTag(std::string_view text) {
  const MarkedText untagged{kUsEnglishLanguageId, text};
  if (!text.starts_with(kTagOpening)) return untagged;
  std::string_view rest = text.substr(kTagOpening.size());
  const std::size_t id_end = rest.find(kTagClosing);
  if (id_end == 0 || id_end > kMaxIdDigits) return untagged;
  unsigned id = 0;
  auto [ptr, ec] = std::from_chars(rest.data(), rest.data() + id_end, id, kHex);
  if (ec != std::errc() || ptr != rest.data() + id_end) return untagged;
  return MarkedText{id, rest.substr(id_end + kTagClosing.size())};
}

}  // namespace lexmira
