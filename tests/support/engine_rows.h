// A table's rows read back through the engine, for tests that check what was
// written. Failures are reported to GoogleTest and give what was read so far.
#pragma once

#include <string>
#include <vector>

#include "jet/table.h"
#include "jet/table_def.h"

namespace test_support {

// Every row of `table` in `file`, in cursor order, one text value per column
// (nullopt for null). When `columns` is given it receives the table's column
// definitions, in column order.
std::vector<jet::RowValues> ReadRows(const std::string& file, const std::string& table,
                                     std::vector<jet::ColumnDef>* columns = nullptr);

}  // namespace test_support
