#include "drill_rig.h"

#include <gtest/gtest.h>

#include "data/columns.h"
#include "data/gbk_text.h"
#include "data/meaning_cipher.h"
#include "data/settings_schema.h"
#include "data/settings_store.h"
#include "mdb_fixture.h"

namespace lexmira::testing {
namespace {

constexpr int kLibraryCount = 8;

}  // namespace

std::string Enciphered(const std::string& meaning_utf8) {
  std::string cp936;
  EXPECT_TRUE(Utf8ToCp936(meaning_utf8, &cp936)) << meaning_utf8;
  return EncodeText(cp936, MeaningKey);
}

DrillRig::DrillRig(const std::map<int, std::vector<Word>>& tables, bool stored_meanings) {
  std::vector<TableFixture> fixtures;
  for (int number = 0; number < kLibraryCount; ++number) {
    const std::string name = std::to_string(number);
    const auto given = tables.find(number);
    const std::vector<Word> words = given != tables.end()
                                        ? given->second
                                        : std::vector<Word>{{"1", "table" + name, "词", name}};
    TableFixture fixture{name,
                         {Text(word_column::kId), Text(word_column::kWord),
                          {word_column::kMeaning, jet::ColumnType::kMemo},
                          Text(word_column::kClass)},
                         {}};
    for (const Word& word : words) {
      fixture.rows.push_back({word.id, word.word,
                              stored_meanings ? word.meaning : Enciphered(word.meaning),
                              word.word_class});
    }
    fixtures.push_back(std::move(fixture));
  }
  CreateDatabase(dir.File("words.mdb"), fixtures);
  const jet::Status created = CreateSettingsDatabase(dir.File("set.mdb"));
  EXPECT_TRUE(created.ok()) << created.message();
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
