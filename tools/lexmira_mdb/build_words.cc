// lexmira-mdb build-words OUT DIR: words.mdb from the word lists DIR/0.tsv
// ... DIR/7.tsv (a header line, then word, meaning and class separated by
// tabs). Each list becomes the table of its number, with "id" counting its
// rows from 1 and "mean" stored enciphered (a Memo column: the hex text of a
// long meaning passes the 255 characters of a Text column). The file is built
// beside OUT and renamed over it only when complete.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "data/columns.h"
#include "data/gbk_text.h"
#include "data/meaning_cipher.h"
#include "jet/database.h"
#include "jet/file_replace.h"
#include "jet/table.h"

namespace lexmira_mdb {

namespace {

constexpr int kLibraryCount = 8;
constexpr uint16_t kWordLength = 255;
constexpr char kFieldSeparator = '\t';
constexpr size_t kFieldCount = 3;
constexpr const char kPartialSuffix[] = ".partial";

std::vector<jet::ColumnSpec> WordColumns() {
  return {{lexmira::word_column::kId, jet::ColumnType::kLongInteger},
          {lexmira::word_column::kWord, jet::ColumnType::kText, kWordLength},
          {lexmira::word_column::kMeaning, jet::ColumnType::kMemo},
          {lexmira::word_column::kClass, jet::ColumnType::kText, kWordLength}};
}

std::vector<std::string> Split(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find(kFieldSeparator, start);
    fields.push_back(
        line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

// Reads one list into rows of the word table; on failure *error names the
// file and line.
bool ReadList(const std::string& path, std::vector<jet::RowValues>* rows, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = path + ": cannot open: " + std::strerror(errno);
    return false;
  }
  std::string line;
  size_t number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 || line.empty()) continue;  // the header line, blank lines
    const std::vector<std::string> fields = Split(line);
    const std::string where = path + ":" + std::to_string(number);
    if (fields.size() != kFieldCount) {
      *error = where + ": expected word, meaning and class separated by tabs";
      return false;
    }
    std::string cp936;
    if (!lexmira::Utf8ToCp936(fields[1], &cp936)) {
      *error = where + ": the meaning has characters that code page 936 cannot hold";
      return false;
    }
    rows->push_back({std::to_string(rows->size() + 1), fields[0],
                     lexmira::EncodeText(cp936, lexmira::MeaningKey), fields[2]});
  }
  if (in.bad()) {
    *error = path + ": cannot read: " + std::strerror(errno);
    return false;
  }
  return true;
}

std::string BuildInto(const std::string& path, const std::string& dir) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Create(path, &db);
  if (!s.ok()) return s.message();
  for (int library = 0; library < kLibraryCount; ++library) {
    const std::string name = std::to_string(library);
    std::vector<jet::RowValues> rows;
    std::string error;
    if (!ReadList(dir + "/" + name + ".tsv", &rows, &error)) return error;
    s = db->CreateTable(name, WordColumns());
    std::unique_ptr<jet::Table> table;
    if (s.ok()) s = db->OpenTable(name, &table);
    if (s.ok()) s = table->Insert(rows);
    if (!s.ok()) return s.message();
  }
  return "";
}

}  // namespace

int RunBuildWords(const Args& args) {
  const std::string& out = args[0];
  const std::string partial = out + kPartialSuffix;
  ::unlink(partial.c_str());  // left over from a build that did not finish
  const std::string error = BuildInto(partial, args[1]);
  if (!error.empty()) {
    ::unlink(partial.c_str());
    return Fail(error);
  }
  const jet::Status s = jet::MoveFileIntoPlace(partial, out, jet::Existing::kReplace);
  if (!s.ok()) {
    ::unlink(partial.c_str());
    return Fail(s.message());
  }
  return 0;
}

}  // namespace lexmira_mdb
