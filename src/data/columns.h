// The column names of the two databases, which the program reads and writes
// by name: the word tables of words.mdb and table "main" of set.mdb.
#pragma once

namespace lexmira {

// Every word library table of words.mdb.
namespace word_column {
inline constexpr char kId[] = "id";        // the row's key, remembered as the position
inline constexpr char kWord[] = "word";    // the English headword
inline constexpr char kMeaning[] = "mean"; // the enciphered meaning
inline constexpr char kClass[] = "class";  // a short classification text
}  // namespace word_column

// Table "main" of set.mdb: one row of remembered choices, all text.
namespace setting_column {
inline constexpr char kLibrary[] = "class";  // the chosen library's catalogue name
inline constexpr char kInterval[] = "time";  // the interval box's trimmed text
inline constexpr char kPosition[] = "id";    // the shown word row's "id"
}  // namespace setting_column

}  // namespace lexmira
