// Several processes on one file, as when the program and lexmira-mdb, or two
// copies of the program, use set.mdb at the same time.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "data/settings_schema.h"
#include "engine_rows.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "writer_test_util.h"

namespace {

// Enough rounds that writers deciding between insert and update outside the
// lock end up with two rows in most runs.
constexpr int kRounds = 40;

struct Setting {
  const char* column;
  const char* value;
};

// The child: opens the table, waits until `start` closes, sets one column.
[[noreturn]] void SetWhenReleased(const std::string& path, int start, Setting setting) {
  std::unique_ptr<jet::Database> db;
  std::unique_ptr<jet::Table> table;
  if (!jet::Database::Open(path, jet::OpenMode::kReadWrite, &db).ok() ||
      !db->OpenTable("main", &table).ok()) {
    _exit(2);
  }
  char byte;
  if (read(start, &byte, 1) != 0) _exit(3);
  _exit(table->SetInFirstRow(setting.column, setting.value).ok() ? 0 : 4);
}

TEST(MultiProcess, TwoWritersOfAnEmptyTableMakeOneRowWithBothValues) {
  jet_test::ScratchDir dir;
  const Setting settings[] = {{"class", "GRE词汇"}, {"time", "3000"}};
  for (int round = 0; round < kRounds; ++round) {
    const std::string file = dir.File("set" + std::to_string(round) + ".mdb");
    ASSERT_TRUE(lexmira::CreateSettingsDatabase(file).ok());
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    std::vector<pid_t> children;
    for (const Setting& setting : settings) {
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        close(start[1]);
        SetWhenReleased(file, start[0], setting);
      }
      children.push_back(child);
    }
    close(start[0]);
    close(start[1]);  // releases both writers at once
    for (pid_t child : children) {
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
    }
    const std::vector<jet::RowValues> rows = test_support::ReadRows(file, "main");
    ASSERT_EQ(rows.size(), 1u) << "round " << round;
    EXPECT_EQ(rows[0], (jet::RowValues{"GRE词汇", "3000", std::nullopt})) << "round " << round;
  }
}

TEST(MultiProcess, ReaderOpenedBeforeTheFileGrewReadsTheNewPages) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("set.mdb");
  ASSERT_TRUE(lexmira::CreateSettingsDatabase(file).ok());
  std::unique_ptr<jet::Database> reader;
  ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadOnly, &reader).ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(reader->OpenTable("main", &table).ok());

  // Another writer (its own open file, as another process has) adds rows
  // that take many new pages.
  constexpr size_t kRows = 200;
  const std::string long_text(200, 'w');
  {
    std::unique_ptr<jet::Database> writer;
    ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadWrite, &writer).ok());
    std::unique_ptr<jet::Table> writer_table;
    ASSERT_TRUE(writer->OpenTable("main", &writer_table).ok());
    const std::vector<jet::RowValues> rows(kRows, {long_text, long_text, "1"});
    ASSERT_TRUE(writer_table->Insert(rows).ok());
  }

  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  size_t count = 0;
  while (cursor->Next()) ++count;
  EXPECT_TRUE(cursor->status().ok()) << cursor->status().message();
  EXPECT_EQ(count, kRows);
}

}  // namespace
