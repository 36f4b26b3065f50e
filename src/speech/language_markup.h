// The language markup at the front of a spoken text,
// <LANG LANGID="409"> (a hexadecimal language id), which picks the voice for
// that language. The tag is not closed and is never spoken.
#pragma once

#include <string>
#include <string_view>

namespace lexmira {

// US English, the language of every word the program speaks.
inline constexpr unsigned kUsEnglishLanguageId = 0x409;

// The tag that selects `language_id` (16 bits), e.g. <LANG LANGID="409"> for
// 0x409.
std::string LanguageTag(unsigned language_id);

struct MarkedText {
  unsigned language_id;   // the tag's id; US English where there is no tag
  std::string_view text;  // what follows the tag, the words to speak
};

// Splits the tag off the front of `text`. A text that does not begin with a
// well-formed tag is all words, in US English.
MarkedText SplitLanguageTag(std::string_view text);

}  // namespace lexmira
