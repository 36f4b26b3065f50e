// Reading what Debian's mdbtools print, for tests that check the engine
// against an independent reader.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jet_test {

// Runs a shell command and returns its standard output; *exit_code gets its
// exit status.
std::string RunCommand(const std::string& command, int* exit_code);

// Quotes a word for the shell.
std::string ShellQuote(const std::string& word);

// One CSV record: a quoted field is text (maybe empty); an unquoted empty
// field is null (nullopt).
using CsvRecord = std::vector<std::optional<std::string>>;

// Splits mdb-export's CSV: comma-separated fields, records ended by '\n',
// quoted fields with doubled inner quotes that may span lines.
std::vector<CsvRecord> ParseCsv(const std::string& text);

// The user tables of `file` as `mdb-tables -1` lists them.
std::vector<std::string> MdbTables(const std::string& file);

// `mdb-export` of a table with dates as "YYYY-MM-DD HH:MM:SS" and binary as
// hexadecimal, the engine's own renderings; the header line comes first.
std::vector<CsvRecord> MdbExport(const std::string& file, const std::string& table);

}  // namespace jet_test
