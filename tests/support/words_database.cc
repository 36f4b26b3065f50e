#include "words_database.h"

#include <memory>
#include <stdexcept>

#include "data/columns.h"
#include "data/gbk_text.h"
#include "data/library_catalog.h"
#include "data/meaning_cipher.h"
#include "jet/database.h"
#include "jet/table.h"

namespace test_support {

std::string Enciphered(const std::string& meaning_utf8) {
  std::string cp936;
  if (!lexmira::Utf8ToCp936(meaning_utf8, &cp936)) {
    throw std::invalid_argument("no GBK form: " + meaning_utf8);
  }
  return lexmira::EncodeText(cp936, lexmira::MeaningKey);
}

jet::Status WriteWordsDatabase(const std::string& path,
                               const std::map<int, std::vector<WordRow>>& tables) {
  namespace column = lexmira::word_column;
  const std::vector<jet::ColumnSpec> columns = {
      {column::kId, jet::ColumnType::kText},
      {column::kWord, jet::ColumnType::kText},
      {column::kMeaning, jet::ColumnType::kMemo},
      {column::kClass, jet::ColumnType::kText},
  };
  std::unique_ptr<jet::Database> db;
  jet::Status status = jet::Database::Create(path, &db);
  for (size_t number = 0; status.ok() && number < lexmira::kLibraryCatalog.size(); ++number) {
    const std::string name = std::to_string(number);
    status = db->CreateTable(name, columns);
    std::unique_ptr<jet::Table> table;
    if (status.ok()) status = db->OpenTable(name, &table);
    const auto given = tables.find(static_cast<int>(number));
    const std::vector<WordRow> rows =
        given != tables.end()
            ? given->second
            : std::vector<WordRow>{{"1", "table" + name, Enciphered("词"), "class" + name}};
    std::vector<jet::RowValues> values;
    for (const WordRow& row : rows) values.push_back({row.id, row.word, row.mean, row.word_class});
    if (status.ok() && !values.empty()) status = table->Insert(values);
  }
  return status;
}

}  // namespace test_support
