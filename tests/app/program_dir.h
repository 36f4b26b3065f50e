// A program directory in a temporary folder, with a words.mdb and a set.mdb
// written through the engine, so each test sets up exactly the rows it needs.
#pragma once

#include <QString>
#include <QTemporaryDir>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "data/database_locations.h"
#include "words_database.h"

namespace lexmira::testing {

using test_support::Enciphered;
using test_support::WordRow;

struct Settings {
  std::string word_class, time, id;  // "" leaves the cell null
};

class ProgramDir {
 public:
  ProgramDir();

  QString path() const { return dir_.path(); }
  QString FilePath(const char* name) const;
  // words.mdb and set.mdb in this directory, as a build folder keeps them.
  DatabaseLocations databases() const;

  // words.mdb with tables "0" to "7"; a table not in `tables` gets one row
  // whose word is "table<N>". Columns "id", "word", "mean", "class", all text
  // (a text "id" is where a prefix search would stop on the wrong row).
  void WriteWords(const std::map<int, std::vector<WordRow>>& tables);
  // set.mdb whose "main" holds `settings`; all empty leaves "main" empty.
  void WriteSettings(const Settings& settings);
  // set.mdb whose empty "main" has only these text columns.
  void WriteSettingsTable(const std::vector<std::string>& columns);
  // The settings row as the program reads it ("" for null or no row).
  Settings ReadSettings() const;

 private:
  QTemporaryDir dir_;
};

}  // namespace lexmira::testing
