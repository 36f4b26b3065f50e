// The catalogue of the eight word libraries, in the order the library
// selector lists them.
#pragma once

#include <array>
#include <string_view>

namespace lexmira {

struct LibraryEntry {
  std::string_view name;   // shown in the selector and stored in "class" (UTF-8)
  std::string_view table;  // the table of words.mdb ("0" to "7")
  std::string_view label;  // put into the class field when the library is chosen
};

// Only "六级词汇" has a label that differs from its name.
inline constexpr std::array<LibraryEntry, 8> kLibraryCatalog = {{
    {"小学英语", "0", "小学英语"},
    {"初中英语", "1", "初中英语"},
    {"高中英语", "2", "高中英语"},
    {"四级词汇", "3", "四级词汇"},
    {"六级词汇", "4", "六级英语"},
    {"GRE词汇", "5", "GRE词汇"},
    {"GMAT词汇", "6", "GMAT词汇"},
    {"托福词汇", "7", "托福词汇"},
}};

// The entry whose name equals `name` exactly (whole text, case-sensitive),
// or nullptr.
const LibraryEntry* FindLibrary(std::string_view name);

}  // namespace lexmira
