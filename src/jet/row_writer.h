// Adding and replacing rows of a table inside a PageBatch: placing rows on
// the table's pages, moving a row that outgrows its page the way Jet does,
// and keeping the usage maps and the row count in step.
#pragma once

#include <string>
#include <vector>

#include "jet/page_batch.h"
#include "jet/row_encoder.h"
#include "jet/status.h"
#include "jet/table.h"
#include "jet/table_def.h"

namespace jet {

// Appends encoded rows to `def`'s table. Pages that already hold rows are
// written in `visible_phase`, as is the used-page map that makes new pages
// part of the table; the free-space map and row count follow the commit.
// def->row_count is advanced.
Status AppendRows(PageBatch* batch, TableDef* def, const std::vector<std::string>& rows,
                  WritePhase visible_phase);

// The stored values of an existing row, following a moved row to its copy.
Status LoadStoredRow(PageBatch* batch, const TableDef& def, RowId id,
                     std::vector<StoredValue>* values);

// Replaces an existing row with an encoded one. Where it no longer fits its
// page, the new copy goes to another page first (hidden from scans) and then
// the row's first slot becomes a pointer to it: that slot's page is the
// commit. A copy an earlier move made is deleted after the commit.
Status ReplaceRow(PageBatch* batch, const TableDef& def, RowId id, const std::string& row);

// Deletes the moved-row copies of `def`'s table that no row's pointer names:
// what a write stopped between placing a copy and committing its pointer (or
// between the commit and deleting the copy it replaced) leaves behind. Our
// reader skips such copies, but other readers list them as rows.
Status DeleteOrphanCopies(PageBatch* batch, const TableDef& def);

}  // namespace jet
