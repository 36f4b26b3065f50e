// Jet compares table and column names without regard to case. Our rule:
// ASCII letters and the Latin-1 letters U+00C0..U+00DE (except U+00D7, the
// multiplication sign) equal their small forms; everything else compares as
// it stands. That covers names like "Umsätze" and "UMSÄTZE".
#pragma once

#include <string_view>

namespace jet {

// True when the two UTF-8 names are equal under the rule above.
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace jet
