#include "data/settings_schema.h"

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

#include "data/columns.h"
#include "jet/database.h"
#include "jet/file_replace.h"

namespace lexmira {

namespace {

constexpr const char kTable[] = "main";
constexpr const char* kColumns[] = {setting_column::kLibrary, setting_column::kInterval,
                                     setting_column::kPosition};
constexpr uint16_t kSettingLength = 255;
constexpr const char kPartialSuffix[] = ".partial";

}  // namespace

jet::Status CreateSettingsDatabase(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) {
    return jet::Status::InvalidArgument(path + ": file already exists");
  }
  const std::string partial = path + kPartialSuffix;
  ::unlink(partial.c_str());  // left over from an attempt that did not finish
  std::vector<jet::ColumnSpec> columns;
  for (const char* name : kColumns) {
    columns.push_back({name, jet::ColumnType::kText, kSettingLength});
  }
  jet::Status s;
  {
    std::unique_ptr<jet::Database> db;
    s = jet::Database::Create(partial, &db);
    if (s.ok()) s = db->CreateTable(kTable, columns);
  }
  if (s.ok()) s = jet::MoveFileIntoPlace(partial, path, jet::Existing::kKeep);
  if (!s.ok()) ::unlink(partial.c_str());
  return s;
}

}  // namespace lexmira
