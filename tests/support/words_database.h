// A words.mdb for tests, written through the engine: tables "0" to "7" with
// the text columns "id", "word", "mean" (a memo) and "class", so each test
// sets up exactly the rows it needs.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "jet/status.h"

namespace test_support {

struct WordRow {
  std::string id;
  std::string word;
  std::string mean;  // as stored: use Enciphered() for a readable meaning
  std::optional<std::string> word_class;  // nullopt stores null
};

// The stored form of a UTF-8 meaning. Throws std::invalid_argument when the
// meaning has no code-page-936 form.
std::string Enciphered(const std::string& meaning_utf8);

// Creates words.mdb at `path`, which must not exist. A table not in `tables`
// gets one row whose word is "table<N>" and whose class is "class<N>".
jet::Status WriteWordsDatabase(const std::string& path,
                               const std::map<int, std::vector<WordRow>>& tables);

}  // namespace test_support
