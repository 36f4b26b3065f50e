#include "drill_rig.h"

#include <gtest/gtest.h>

#include "data/settings_schema.h"
#include "data/settings_store.h"
#include "words_database.h"

namespace lexmira::testing {

DrillRig::DrillRig(const std::map<int, std::vector<Word>>& tables, bool stored_meanings) {
  std::map<int, std::vector<test_support::WordRow>> stored;
  for (const auto& [number, words] : tables) {
    std::vector<test_support::WordRow>& rows = stored[number];
    for (const Word& word : words) {
      rows.push_back({word.id, word.word,
                      stored_meanings ? word.meaning : test_support::Enciphered(word.meaning),
                      word.word_class});
    }
  }
  const jet::Status words = test_support::WriteWordsDatabase(dir.File("words.mdb"), stored);
  EXPECT_TRUE(words.ok()) << words.message();
  const jet::Status settings = CreateSettingsDatabase(dir.File("set.mdb"));
  EXPECT_TRUE(settings.ok()) << settings.message();
}

void DrillRig::StartUp() {
  EXPECT_EQ(session.OpenWords(dir.File("words.mdb")), std::nullopt);
  EXPECT_EQ(session.OpenSettings(dir.File("set.mdb")), std::nullopt);
  session.RestoreRememberedChoices();
  session.ShowCurrentRow();
}

std::string DrillRig::Saved(const char* column) const {
  SettingsStore store;
  store.Open(dir.File("set.mdb"));
  return store.ReadSetting(column);
}

}  // namespace lexmira::testing
