// Trimming as the program does it everywhere.
#pragma once

#include <string>
#include <string_view>

namespace lexmira {

// `text` without its leading and trailing spaces and control characters:
// every byte up to and including the space (0x00-0x20) goes at both ends.
// Safe on UTF-8, whose multi-byte characters never use those bytes.
std::string Trim(std::string_view text);

}  // namespace lexmira
