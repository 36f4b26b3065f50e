#include "program_dir.h"

#include <QDir>
#include <QFile>
#include <memory>

#include "data/gbk_text.h"
#include "data/meaning_cipher.h"
#include "data/settings_schema.h"
#include "data/settings_store.h"
#include "jet/database.h"
#include "jet/table.h"

namespace lexmira::testing {
namespace {

constexpr int kLibraryCount = 8;

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A fixture that cannot be written leaves nothing to test.
void Check(const jet::Status& status) {
  if (!status.ok()) qFatal("fixture: %s", status.message().c_str());
}

}  // namespace

std::string Enciphered(const std::string& meaning_utf8) {
  std::string cp936;
  if (!Utf8ToCp936(meaning_utf8, &cp936)) qFatal("no GBK form: %s", meaning_utf8.c_str());
  return EncodeText(cp936, MeaningKey);
}

ProgramDir::ProgramDir() {
  if (!dir_.isValid()) qFatal("fixture: no temporary directory");
}

QString ProgramDir::FilePath(const char* name) const {
  return QDir(dir_.path()).filePath(QString::fromLatin1(name));
}

DatabaseLocations ProgramDir::databases() const { return DatabasesBeside(Native(path())); }

void ProgramDir::WriteWords(const std::map<int, std::vector<WordRow>>& tables) {
  std::unique_ptr<jet::Database> db;
  Check(jet::Database::Create(Native(FilePath("words.mdb")), &db));
  const std::vector<jet::ColumnSpec> columns = {
      {"id", jet::ColumnType::kText},
      {"word", jet::ColumnType::kText},
      {"mean", jet::ColumnType::kMemo},
      {"class", jet::ColumnType::kText},
  };
  for (int number = 0; number < kLibraryCount; ++number) {
    const std::string name = std::to_string(number);
    Check(db->CreateTable(name, columns));
    std::unique_ptr<jet::Table> table;
    Check(db->OpenTable(name, &table));
    const auto given = tables.find(number);
    const std::vector<WordRow> rows =
        given != tables.end()
            ? given->second
            : std::vector<WordRow>{{"1", "table" + name, Enciphered("词"), "class" + name}};
    std::vector<jet::RowValues> values;
    for (const WordRow& row : rows) values.push_back({row.id, row.word, row.mean, row.word_class});
    if (!values.empty()) Check(table->Insert(values));
  }
}

void ProgramDir::WriteSettings(const Settings& settings) {
  const std::string path = Native(FilePath("set.mdb"));
  Check(CreateSettingsDatabase(path));
  SettingsStore store;
  store.Open(path);
  const std::pair<const char*, const std::string*> cells[] = {
      {"class", &settings.word_class}, {"time", &settings.time}, {"id", &settings.id}};
  for (const auto& [column, text] : cells) {
    if (!text->empty()) store.SaveSetting(column, *text);
  }
}

void ProgramDir::WriteSettingsTable(const std::vector<std::string>& columns) {
  std::unique_ptr<jet::Database> db;
  Check(jet::Database::Create(Native(FilePath("set.mdb")), &db));
  std::vector<jet::ColumnSpec> specs;
  for (const std::string& column : columns) specs.push_back({column, jet::ColumnType::kText});
  Check(db->CreateTable(std::string(SettingsStore::kTableName), specs));
}

Settings ProgramDir::ReadSettings() const {
  SettingsStore store;
  store.Open(Native(FilePath("set.mdb")));
  return {store.ReadSetting("class"), store.ReadSetting("time"), store.ReadSetting("id")};
}

}  // namespace lexmira::testing
