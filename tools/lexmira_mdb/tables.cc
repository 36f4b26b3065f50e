// lexmira-mdb tables FILE: one user table name per line.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "jet/database.h"

namespace lexmira_mdb {

int RunTables(const Args& args) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(args[0], jet::OpenMode::kReadOnly, &db);
  if (!s.ok()) return Fail(s.message());
  std::vector<std::string> names;
  s = db->ListTables(&names);
  if (!s.ok()) return Fail(s.message());
  for (const std::string& name : names) std::printf("%s\n", name.c_str());
  return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the table list");
}

}  // namespace lexmira_mdb
