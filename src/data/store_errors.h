// The error texts the two stores share, each raised with the store's
// component name in front ("ADOTable1: Field 'word' not found").
#pragma once

#include <string_view>

namespace lexmira {

inline constexpr std::string_view kClosedDatasetMessage =
    "Cannot perform this operation on a closed dataset";

// Throws Error "<component>: <message>".
[[noreturn]] void ThrowStoreError(std::string_view component, std::string_view message);

// Throws Error "<component>: Field '<column>' not found".
[[noreturn]] void ThrowFieldNotFound(std::string_view component, std::string_view column);

}  // namespace lexmira
