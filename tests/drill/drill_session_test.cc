// Where the session finds its settings and what it does when they cannot be
// written.
#include "drill/drill_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "data/columns.h"
#include "drill_rig.h"

namespace lexmira::testing {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

// A write-protected set.mdb (or one on a read-only medium): what it remembers
// is restored, the learner is told once, and later choices are neither
// written nor reported again.
TEST(DrillSessionTest, ReadOnlySettingsRestoreTheChoicesAndTellOnce) {
  DrillRig rig({{5, {{"1", "abase", "贬低", "GRE"}, {"2", "abate", "减轻", "GRE"}}}});
  rig.StartUp();
  rig.session.SaveSetting(setting_column::kLibrary, "GRE词汇");
  rig.session.SaveSetting(setting_column::kInterval, "5000");
  rig.session.SaveSetting(setting_column::kPosition, "2");
  const std::string path = rig.dir.File("set.mdb");
  ASSERT_EQ(::chmod(path.c_str(), S_IRUSR | S_IRGRP | S_IROTH), 0);
  const std::string before = Contents(path);

  DrillSession session(rig.view, rig.timer, rig.messages);
  ASSERT_EQ(session.OpenWords(rig.dir.File("words.mdb")), std::nullopt);
  const std::optional<std::string> told = session.OpenSettings(path);
  ASSERT_TRUE(told.has_value());
  EXPECT_NE(told->find(path), std::string::npos) << *told;
  EXPECT_NE(told->find("只读"), std::string::npos) << *told;
  EXPECT_NE(told->find("不会被记住"), std::string::npos) << *told;
  EXPECT_TRUE(session.settings_available());
  EXPECT_FALSE(session.remembers_choices());

  session.RestoreRememberedChoices();
  session.ShowCurrentRow();
  EXPECT_EQ(rig.view.library_texts.back(), "GRE词汇");
  EXPECT_EQ(rig.timer.interval(), 5000);
  EXPECT_EQ(session.words().library(), "5");
  EXPECT_EQ(rig.view.word, "abate");

  session.SaveSetting(setting_column::kLibrary, "初中英语");
  session.RememberPosition();
  EXPECT_EQ(Contents(path), before);
  EXPECT_TRUE(rig.messages.messages.empty());
}

// An installed program's set.mdb lives in a configuration folder that may
// not exist yet: it is made, for its owner only, on the first run.
TEST(DrillSessionTest, SettingsCreatedWithTheirFolders) {
  DrillRig rig({});
  const std::string config = rig.dir.File("home/.config/lexmira");
  DrillSession session(rig.view, rig.timer, rig.messages);
  EXPECT_EQ(session.OpenSettings(config + "/set.mdb"), std::nullopt);
  EXPECT_TRUE(session.remembers_choices());
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
