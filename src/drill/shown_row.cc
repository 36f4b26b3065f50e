#include "drill/shown_row.h"

#include <optional>

#include "data/columns.h"
#include "data/gbk_text.h"
#include "data/meaning_cipher.h"
#include "data/text_trim.h"

namespace lexmira {

std::string MeaningText(std::string_view stored, MessageSink& messages) {
  const std::optional<std::string> meaning = DecodeText(stored, MeaningKey, messages);
  return meaning ? Cp936ToUtf8(*meaning) : std::string();
}

std::string ShowCurrentRow(const WordStore& words, WordForm form, DrillView& view,
                           MessageSink& messages) {
  std::string word = words.Field(word_column::kWord);
  if (form == WordForm::kTrimmed) word = Trim(word);
  view.ShowWord(word);
  view.ShowMeaning(MeaningText(words.Field(word_column::kMeaning), messages));
  view.ShowClass(words.Field(word_column::kClass));
  return word;
}

}  // namespace lexmira
