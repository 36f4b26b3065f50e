// The database's global page map (the first row on page 1): one bit per page,
// set while the page is free. New pages are taken from the pages this engine
// freed, else from the end of the file, and the map is told about them
// before anything points to them, so a crash can at worst leave pages marked
// used that nothing uses.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/format.h"
#include "jet/page_batch.h"
#include "jet/status.h"

namespace jet {

// Makes *page the global map page of a new file of `page_count` pages, all used.
void InitGlobalUsageMap(const Format& format, uint32_t page_count, std::vector<uint8_t>* page);

// Offers the batch the pages the map lists as free whose bytes show that
// this engine emptied them (long value pages without a live row). Pages
// another writer freed are left alone: their contents are unknown here.
Status OfferFreedPages(PageBatch* batch);

// Marks the pages the batch allocated as used, in its before-commit phase.
Status MarkAllocatedPagesUsed(PageBatch* batch);

// Marks `pages` free, written in `phase`. Nothing may point to them any more.
Status MarkPagesFree(PageBatch* batch, const std::vector<uint32_t>& pages, WritePhase phase);

}  // namespace jet
