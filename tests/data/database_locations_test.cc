#include "data/database_locations.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace lexmira {
namespace {

// Paths as an installation under /usr lays them out.
constexpr char kBin[] = "/usr/bin";
constexpr char kWordsBeside[] = "/usr/bin/words.mdb";
constexpr char kWordsInShare[] = "/usr/share/lexmira/words.mdb";
constexpr char kSettingsBeside[] = "/usr/bin/set.mdb";
constexpr char kSettingsInXdg[] = "/xdg/lexmira/set.mdb";
constexpr char kSettingsInHome[] = "/home/ann/.config/lexmira/set.mdb";

struct Case {
  const char* name;
  std::set<std::string> files;  // those that exist
  bool bin_writable;
  const char* xdg_config_home;
  const char* words;
  const char* settings;
};

const Case kCases[] = {
    // A build folder or portable copy keeps everything beside the program.
    {"build folder, first run", {kWordsBeside}, true, "", kWordsBeside, kSettingsBeside},
    {"build folder, later run", {kWordsBeside, kSettingsBeside}, true, "/xdg", kWordsBeside,
     kSettingsBeside},
    {"portable copy on a read-only medium", {kWordsBeside, kSettingsBeside}, false, "",
     kWordsBeside, kSettingsBeside},
    {"read-only folder without set.mdb", {kWordsBeside}, false, "", kWordsBeside, kSettingsInHome},
    {"read-only folder, XDG_CONFIG_HOME set", {kWordsBeside}, false, "/xdg", kWordsBeside,
     kSettingsInXdg},
    // An installed program: words from share/, settings in the learner's folder.
    {"installed", {kWordsInShare}, false, "", kWordsInShare, kSettingsInHome},
    {"installed, XDG_CONFIG_HOME set", {kWordsInShare}, false, "/xdg", kWordsInShare,
     kSettingsInXdg},
    {"installed, relative XDG_CONFIG_HOME ignored", {kWordsInShare}, false, "cfg", kWordsInShare,
     kSettingsInHome},
    {"installed, run by a user who may write into bin", {kWordsInShare}, true, "", kWordsInShare,
     kSettingsInHome},
    {"installed, a set.mdb beside the program is kept", {kWordsInShare, kSettingsBeside}, false,
     "/xdg", kWordsInShare, kSettingsBeside},
    {"words in both places: beside wins", {kWordsBeside, kWordsInShare}, true, "", kWordsBeside,
     kSettingsBeside},
    // No words anywhere: reported missing beside the program.
    {"no words.mdb, writable folder", {}, true, "", kWordsBeside, kSettingsBeside},
    {"no words.mdb, read-only folder", {}, false, "/xdg", kWordsBeside, kSettingsInXdg},
};

TEST(DatabaseLocationsTest, MostSpecificPlaceFirst) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const LocationFacts facts{
        [&](const std::string& path) { return c.files.count(path) > 0; },
        [&](const std::string& dir) { return dir == kBin && c.bin_writable; },
        c.xdg_config_home,
        "/home/ann",
    };
    const DatabaseLocations found = ResolveDatabaseLocations(kBin, facts);
    EXPECT_EQ(found.words, c.words);
    EXPECT_EQ(found.settings, c.settings);
  }
}

// A program directory given with a trailing separator or dots resolves to
// the same tidy paths the messages name.
TEST(DatabaseLocationsTest, PathsAreNormalised) {
  const LocationFacts facts{[](const std::string& path) { return path == kWordsInShare; },
                            [](const std::string&) { return false; }, "/xdg/", "/home/ann"};
  const DatabaseLocations found = ResolveDatabaseLocations("/usr/lib/../bin/", facts);
  EXPECT_EQ(found.words, kWordsInShare);
  EXPECT_EQ(found.settings, kSettingsInXdg);
}

}  // namespace
}  // namespace lexmira
