// lexmira-mdb build-settings OUT: an empty settings database.
#include "commands.h"
#include "data/settings_schema.h"

namespace lexmira_mdb {

int RunBuildSettings(const Args& args) {
  const jet::Status s = lexmira::CreateSettingsDatabase(args[0]);
  return s.ok() ? 0 : Fail(s.message());
}

}  // namespace lexmira_mdb
