// The database definition page (page 0) of a new Jet 4 file.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/format.h"

namespace jet {

// Jet's date and time: days since 30 December 1899, the time as the fraction.
double JetDateNow();

// Makes *page the definition page of a new Jet 4 database created at
// `created` (a Jet date): no password, the Western code page, the General
// sort order. Part of the page is scrambled with RC4, as Jet expects.
void BuildJet4HeaderPage(double created, std::vector<uint8_t>* page);

}  // namespace jet
