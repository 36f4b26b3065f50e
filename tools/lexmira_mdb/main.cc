// lexmira-mdb: inspect .mdb files and build words.mdb / set.mdb.
#include <cstdio>
#include <iostream>
#include <string>

#include "commands.h"

namespace {

constexpr const char kUsage[] =
    "usage: lexmira-mdb COMMAND ARGS...\n"
    "\n"
    "  tables FILE                   list the user tables of FILE\n"
    "  export FILE TABLE             print TABLE as CSV with a header line\n"
    "  build-words OUT DIR           build words.mdb at OUT from DIR/0.tsv ... DIR/7.tsv\n"
    "  build-settings OUT            make an empty settings database at OUT\n"
    "  set FILE TABLE COLUMN VALUE   set COLUMN of TABLE's first row (inserting it if none)\n"
    "  --help                        show this help\n";

struct Command {
  const char* name;
  size_t arg_count;
  int (*run)(const lexmira_mdb::Args&);
};

constexpr Command kCommands[] = {
    {"tables", 1, lexmira_mdb::RunTables},
    {"export", 2, lexmira_mdb::RunExport},
    {"build-words", 2, lexmira_mdb::RunBuildWords},
    {"build-settings", 1, lexmira_mdb::RunBuildSettings},
    {"set", 4, lexmira_mdb::RunSet},
};

}  // namespace

namespace lexmira_mdb {

int Fail(const std::string& message) {
  std::cerr << "lexmira-mdb: " << message << '\n';
  return 1;
}

}  // namespace lexmira_mdb

int main(int argc, char** argv) {
  if (argc < 2) return lexmira_mdb::Fail("missing command; try 'lexmira-mdb --help'");
  const std::string name = argv[1];
  if (name == "--help" || name == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  for (const Command& command : kCommands) {
    if (name != command.name) continue;
    const lexmira_mdb::Args args(argv + 2, argv + argc);
    if (args.size() != command.arg_count) {
      return lexmira_mdb::Fail("'" + name + "' takes " + std::to_string(command.arg_count) +
                               " argument(s); try 'lexmira-mdb --help'");
    }
    return command.run(args);
  }
  return lexmira_mdb::Fail("unknown command '" + name + "'; try 'lexmira-mdb --help'");
}
