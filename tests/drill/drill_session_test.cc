// Where the session keeps its settings and what it does when they cannot be
// written.
#include "drill/drill_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "data/columns.h"
#include "drill_rig.h"

namespace lexmira::testing {
namespace {

// An installed program's set.mdb lives in a configuration folder that may
// not exist yet: it is made, for its owner only, on the first run.
TEST(DrillSessionTest, SettingsCreatedWithTheirFolders) {
  DrillRig rig({});
  const std::string config = rig.dir.File("home/.config/lexmira");
  DrillSession session(rig.view, rig.timer, rig.messages);
  EXPECT_EQ(session.OpenSettings(config + "/set.mdb"), std::nullopt);
  EXPECT_TRUE(session.settings_available());
  struct stat info;
  ASSERT_EQ(::stat(config.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, static_cast<mode_t>(S_IRWXU));
  session.SaveSetting(setting_column::kInterval, "3000");
  EXPECT_EQ(session.settings().ReadSetting(setting_column::kInterval), "3000");
}

// A folder that cannot be made (here a file stands in its way) is told once,
// naming the settings file; choices are then not remembered.
TEST(DrillSessionTest, SettingsFolderThatCannotBeMade) {
  DrillRig rig({});
  const std::string path = rig.dir.File("words.mdb/lexmira/set.mdb");
  DrillSession session(rig.view, rig.timer, rig.messages);
  const std::optional<std::string> told = session.OpenSettings(path);
  ASSERT_TRUE(told.has_value());
  EXPECT_NE(told->find("无法创建设置文件“" + path), std::string::npos) << *told;
  EXPECT_FALSE(session.settings_available());
  session.SaveSetting(setting_column::kInterval, "3000");
}

}  // namespace
}  // namespace lexmira::testing
