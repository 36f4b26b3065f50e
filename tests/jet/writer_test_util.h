// Helpers for the engine's tests: scratch directories, files read back
// through the engine in mdb-export's CSV form.
#pragma once

#include <string>
#include <vector>

#include "jet/table.h"
#include "mdbtools_csv.h"
#include "scratch_dir.h"

namespace jet_test {

using test_support::ScratchDir;

// A table read through the engine: its column names first, then its rows.
// When `types` is given it receives the column types, in column order.
std::vector<CsvRecord> ReadTable(const std::string& file, const std::string& table,
                                 std::vector<jet::ColumnType>* types = nullptr);

// The expected records of a table written with these rows.
std::vector<CsvRecord> Records(const std::vector<std::string>& header,
                               const std::vector<jet::RowValues>& rows);

// The flags of a row's slot in its data page (a Jet 4 file).
uint16_t SlotFlags(const std::string& file, jet::RowId id);

// The bytes of a row as its page stores them (a Jet 4 file).
std::string RowBytes(const std::string& file, jet::RowId id);

// The bytes of a file.
std::string FileBytes(const std::string& path);

}  // namespace jet_test
