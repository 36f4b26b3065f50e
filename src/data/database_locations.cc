#include "data/database_locations.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "data/file_checks.h"

namespace lexmira {
namespace {

// The installed words.mdb's folder, relative to the program's; the build
// derives it from the install rules so that both always agree.
constexpr char kInstalledDataFromProgram[] = LEXMIRA_DATA_DIR_FROM_PROGRAM;
constexpr char kConfigFolderName[] = "lexmira";
constexpr char kDefaultConfigFromHome[] = ".config";

std::string Join(const std::string& dir, const std::string& name) {
  return (std::filesystem::path(dir) / name).lexically_normal().string();
}

std::string ConfigHome(const LocationFacts& facts) {
  // The base directory specification ignores a relative $XDG_CONFIG_HOME.
  if (!facts.xdg_config_home.empty() && facts.xdg_config_home.front() == '/') {
    return facts.xdg_config_home;
  }
  return Join(facts.home, kDefaultConfigFromHome);
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) {
    return entry->pw_dir;
  }
  return "";
}

}  // namespace

LocationFacts LocationFacts::OfThisProcess() {
  return {
      FileExists,
      IsWritable,
      Environment("XDG_CONFIG_HOME"),
      HomeFolder(),
  };
}

DatabaseLocations DatabasesBeside(const std::string& program_dir) {
  return {Join(program_dir, kWordsFileName), Join(program_dir, kSettingsFileName)};
}

DatabaseLocations ResolveDatabaseLocations(const std::string& program_dir,
                                           const LocationFacts& facts) {
  DatabaseLocations found = DatabasesBeside(program_dir);
  const std::string installed_words =
      Join(Join(program_dir, kInstalledDataFromProgram), kWordsFileName);
  const bool installed = !facts.file_exists(found.words) && facts.file_exists(installed_words);
  if (installed) found.words = installed_words;
  if (facts.file_exists(found.settings)) return found;
  if (!installed && facts.dir_writable(program_dir)) return found;
  found.settings = Join(Join(ConfigHome(facts), kConfigFolderName), kSettingsFileName);
  return found;
}

}  // namespace lexmira
