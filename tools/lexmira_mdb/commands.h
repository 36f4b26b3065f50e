// The subcommands of lexmira-mdb. Each takes its own arguments (after the
// subcommand's name) and returns the process exit status: 0 on success, 1
// after printing one clear line to stderr.
#pragma once

#include <string>
#include <vector>

namespace lexmira_mdb {

using Args = std::vector<std::string>;

int RunTables(const Args& args);         // tables FILE
int RunExport(const Args& args);         // export FILE TABLE
int RunBuildWords(const Args& args);     // build-words OUT DIR
int RunBuildSettings(const Args& args);  // build-settings OUT
int RunSet(const Args& args);            // set FILE TABLE COLUMN VALUE

// Prints "lexmira-mdb: <message>" to stderr and returns 1.
int Fail(const std::string& message);

}  // namespace lexmira_mdb
