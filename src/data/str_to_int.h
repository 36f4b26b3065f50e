// The run-time's integer conversion: an optional sign, then decimal digits,
// or "$" / "0x" / "0X" followed by hexadecimal digits of either case. Nothing
// else is allowed (no spaces: callers trim first); the value must fit a
// 32-bit signed integer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lexmira {

// The value of `text`, or nullopt when it is not a valid integer value.
std::optional<int32_t> TryStrToInt(std::string_view text);

// The value of `text`; throws Error "'<text>' is not a valid integer value"
// when it is not one.
int32_t StrToInt(std::string_view text);

}  // namespace lexmira
