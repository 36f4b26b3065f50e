#include "data/settings_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>
#include <string>
#include <vector>

#include "data/error.h"
#include "data/settings_schema.h"
#include "mdb_fixture.h"

namespace lexmira {
namespace {

using testing::Number;
using testing::TableFixture;
using testing::Text;

class SettingsStoreTest : public ::testing::Test {
 protected:
  void MakeSettings(std::vector<jet::RowValues> rows) {
    testing::CreateDatabase(
        path_, {TableFixture{"main", {Text("class"), Number("time"), Text("id")}, rows}});
  }

  testing::ScratchDir dir_;
  const std::string path_ = dir_.File("set.mdb");
  SettingsStore store_;
};

// On the file the program creates when set.mdb is missing.
TEST_F(SettingsStoreTest, FirstSaveOnAnEmptyTableInsertsTheRowAndLaterSavesEditIt) {
  const jet::Status created = CreateSettingsDatabase(path_);
  ASSERT_TRUE(created.ok()) << created.message();
  store_.Open(path_);
  EXPECT_EQ(store_.ReadSetting("class"), "");
  store_.SaveSetting("class", "GRE词汇");
  EXPECT_EQ(testing::ReadRows(path_, "main"),
            (std::vector<jet::RowValues>{{"GRE词汇", std::nullopt, std::nullopt}}))
      << "each save is on disk when it returns";
  store_.SaveSetting("time", "5000");
  store_.SaveSetting("id", "12");
  store_.SaveSetting("class", "六级词汇");
  EXPECT_EQ(testing::ReadRows(path_, "main"),
            (std::vector<jet::RowValues>{{"六级词汇", "5000", "12"}}));
  EXPECT_EQ(store_.ReadSetting("class"), "六级词汇");
  EXPECT_EQ(store_.ReadSetting("TIME"), "5000");
}

TEST_F(SettingsStoreTest, ReadsTheFirstRowWithNullAsEmpty) {
  MakeSettings({{std::nullopt, "3000", "42"}, {"GMAT词汇", "1000", "7"}});
  store_.Open(path_);
  EXPECT_EQ(store_.ReadSetting("class"), "");
  EXPECT_EQ(store_.ReadSetting("time"), "3000");
  EXPECT_EQ(store_.ReadSetting("id"), "42");
  store_.SaveSetting("id", "43");
  EXPECT_EQ(testing::ReadRows(path_, "main"),
            (std::vector<jet::RowValues>{{std::nullopt, "3000", "43"}, {"GMAT词汇", "1000", "7"}}));
}

TEST_F(SettingsStoreTest, NumberColumnTakesTheTextAsANumber) {
  MakeSettings({{"小学英语", "2000", "1"}});
  store_.Open(path_);
  store_.SaveSetting("time", "0150");
  EXPECT_EQ(store_.ReadSetting("time"), "150");
}

TEST_F(SettingsStoreTest, RefusedWriteKeepsTheRow) {
  MakeSettings({{"小学英语", "2000", "1"}});
  store_.Open(path_);
  try {
    store_.SaveSetting("time", "fast");
    ADD_FAILURE() << "a number column took 'fast'";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()).rfind("ADOTable2: ", 0), 0u) << e.what();
  }
  EXPECT_EQ(store_.ReadSetting("time"), "2000");
  EXPECT_EQ(testing::ReadRows(path_, "main"),
            (std::vector<jet::RowValues>{{"小学英语", "2000", "1"}}));
}

// A write-protected set.mdb (read-only even for root, who may write anyway)
// still gives its choices; a save is refused and leaves the file as it was.
TEST_F(SettingsStoreTest, ReadOnlyFileIsReadButNotWritten) {
  MakeSettings({{"GRE词汇", "5000", "7"}});
  ASSERT_EQ(::chmod(path_.c_str(), S_IRUSR | S_IRGRP | S_IROTH), 0);
  store_.Open(path_);
  EXPECT_TRUE(store_.read_only());
  EXPECT_EQ(store_.ReadSetting("class"), "GRE词汇");
  EXPECT_THROW(store_.SaveSetting("id", "8"), Error);
  EXPECT_EQ(testing::ReadRows(path_, "main"),
            (std::vector<jet::RowValues>{{"GRE词汇", "5000", "7"}}));

  ASSERT_EQ(::chmod(path_.c_str(), S_IRUSR | S_IWUSR), 0);
  store_.Open(path_);
  EXPECT_FALSE(store_.read_only());
}

TEST_F(SettingsStoreTest, FailuresNameTheComponent) {
  MakeSettings({});
  const std::string closed = "ADOTable2: Cannot perform this operation on a closed dataset";
  struct Case {
    bool open;
    std::function<void()> call;
    std::string error;
  };
  const std::vector<Case> cases = {
      {false, [&] { store_.ReadSetting("class"); }, "ADOTable2: Field 'class' not found"},
      {false, [&] { store_.SaveSetting("id", "1"); }, closed},
      {true, [&] { store_.ReadSetting("name"); }, "ADOTable2: Field 'name' not found"},
      {true, [&] { store_.SaveSetting("name", "1"); }, "ADOTable2: Field 'name' not found"},
  };
  for (const Case& c : cases) {
    store_.Close();
    if (c.open) store_.Open(path_);
    try {
      c.call();
      ADD_FAILURE() << c.error << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
  EXPECT_TRUE(testing::ReadRows(path_, "main").empty());
}

TEST_F(SettingsStoreTest, UnopenableFileNamesThePathAndLeavesTheStoreClosed) {
  const std::string missing = dir_.File("none.mdb");
  const std::string no_main = dir_.File("other.mdb");
  testing::CreateDatabase(no_main, {TableFixture{"settings", {Text("class")}, {}}});
  for (const std::string& path : {missing, no_main}) {
    try {
      store_.Open(path);
      ADD_FAILURE() << "opened " << path;
    } catch (const Error& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("ADOTable2: ", 0), 0u) << text;
      EXPECT_NE(text.find(path), std::string::npos) << text;
    }
    EXPECT_FALSE(store_.IsOpen());
  }
}

}  // namespace
}  // namespace lexmira
