// Reading and changing a table's usage maps (the pages it owns, the pages
// with free space) through a PageBatch. A map row either holds its bitmap
// (type 0: a start page and 512 bits) or points to whole bitmap pages (type
// 1: one page per 32736 pages); a type 0 map that cannot take a page becomes
// type 1, its new bitmap pages written before the commit.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/page_batch.h"
#include "jet/status.h"

namespace jet {

// The pages marked in the map whose row is at `pointer` (page << 8 | slot),
// ascending.
Status ReadUsageMap(PageBatch* batch, uint32_t pointer, std::vector<uint32_t>* pages);

// Marks (used = true) or unmarks `pages` in that map; the map's row page and
// any existing bitmap page are written in `phase`.
Status SetUsageMapPages(PageBatch* batch, uint32_t pointer, const std::vector<uint32_t>& pages,
                        bool used, WritePhase phase);

// The row of a new, empty inline map.
std::string EmptyUsageMapRow(const Format& format);

}  // namespace jet
