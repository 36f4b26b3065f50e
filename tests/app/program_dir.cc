#include "program_dir.h"

#include <QDir>
#include <QFile>
#include <memory>

#include "data/settings_schema.h"
#include "data/settings_store.h"
#include "jet/database.h"
#include "jet/table.h"

namespace lexmira::testing {
namespace {

std::string Native(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A fixture that cannot be written leaves nothing to test.
void Check(const jet::Status& status) {
  if (!status.ok()) qFatal("fixture: %s", status.message().c_str());
}

}  // namespace

ProgramDir::ProgramDir() {
  if (!dir_.isValid()) qFatal("fixture: no temporary directory");
}

QString ProgramDir::FilePath(const char* name) const {
  return QDir(dir_.path()).filePath(QString::fromLatin1(name));
}

DatabaseLocations ProgramDir::databases() const { return DatabasesBeside(Native(path())); }

void ProgramDir::WriteWords(const std::map<int, std::vector<WordRow>>& tables) {
  Check(test_support::WriteWordsDatabase(Native(FilePath("words.mdb")), tables));
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
