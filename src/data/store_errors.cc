#include "data/store_errors.h"

#include <string>

#include "data/error.h"

namespace lexmira {

void ThrowStoreError(std::string_view component, std::string_view message) {
  std::string text(component);
  text += ": ";
  text += message;
  throw Error(text);
}

void ThrowFieldNotFound(std::string_view component, std::string_view column) {
  std::string message = "Field '";
  message += column;
  message += "' not found";
  ThrowStoreError(component, message);
}

}  // namespace lexmira
