// Reads a table's definition from its chain of definition pages.
#pragma once

#include <cstdint>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"
#include "jet/table_def.h"

namespace jet {

// Reads the definition that starts at `page` into *def (its name is left to
// the caller). A chain that loops, leaves the file or contradicts itself is
// Corruption naming the file and page.
Status ReadTableDef(const PageFile& file, const Format& format, uint32_t page, TableDef* def);

}  // namespace jet
