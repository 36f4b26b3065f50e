// The two fixed messages of the help menu.
#pragma once

#include <string>

namespace lexmira {

// The help box's lines, each followed by an empty line but the last (UTF-8).
std::string HelpMessage();

// The about box's lines, with the maker's contact e-mail address and home
// page as this build was configured with them.
std::string AboutMessage();

}  // namespace lexmira
