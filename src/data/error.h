// Error: the failure of a data-layer call, carrying the text the user sees
// (for the stores, the component's name in front: "ADOTable1: ...").
// The window's handlers let it reach the one error box; nothing swallows it.
#pragma once

#include <stdexcept>

namespace lexmira {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lexmira
