// A process writing settings is killed at random moments; each time the file
// still opens in mdb-export and in our reader and holds one of the values
// written, never a mixture or a broken row.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "data/settings_schema.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/format.h"
#include "jet/table.h"
#include "mdbtools_csv.h"
#include "repeat.h"
#include "writer_test_util.h"

namespace {

constexpr int kKills = 25;
constexpr size_t kFillerRows = 5;
constexpr size_t kTimeColumn = 1;  // "class", "time", "id"

using test_support::Repeat;

// Values of very different lengths: on a nearly full page the long ones do
// not fit where the short ones stood, so the row moves.
const std::vector<std::string>& Values() {
  static const std::vector<std::string> kValues = {"3000", Repeat("時", 255), "",
                                                   "x",    Repeat("ab", 120), "1500"};
  return kValues;
}

// The settings row first, then rows that fill most of its page.
void MakeSettingsFile(const std::string& path) {
  ASSERT_TRUE(lexmira::CreateSettingsDatabase(path).ok());
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(path, jet::OpenMode::kReadWrite, &db).ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(db->OpenTable("main", &table).ok());
  std::vector<jet::RowValues> rows = {{"GRE词汇", Values()[0], "12"}};
  for (size_t i = 0; i < kFillerRows; ++i) {
    const std::string filler = Repeat(std::to_string(i), 255);
    rows.push_back({filler, filler, filler});
  }
  jet::Status s = table->Insert(rows);
  ASSERT_TRUE(s.ok()) << s.message();
}

// The child: sets "time" of the first row over and over, as the settings
// store does, until it is killed.
[[noreturn]] void WriteForever(const std::string& path) {
  std::unique_ptr<jet::Database> db;
  std::unique_ptr<jet::Table> table;
  if (!jet::Database::Open(path, jet::OpenMode::kReadWrite, &db).ok() ||
      !db->OpenTable("main", &table).ok()) {
    _exit(2);
  }
  for (size_t i = 1;; ++i) {
    std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
    if (!cursor->Next()) _exit(3);
    if (!table->Update(cursor->row_id(), "time", Values()[i % Values().size()]).ok()) _exit(4);
  }
}

bool IsWrittenValue(const std::optional<std::string>& value) {
  const std::string text = value.value_or("");
  return std::find(Values().begin(), Values().end(), text) != Values().end();
}

TEST(CrashConsistency, KilledWriterLeavesOldOrNewValue) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("set.mdb");
  MakeSettingsFile(file);
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> delay_ms(1, 40);

  for (int kill = 0; kill < kKills; ++kill) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) WriteForever(file);
    std::this_thread::sleep_for(std::chrono::milliseconds(delay_ms(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;

    const std::vector<jet_test::CsvRecord> ours = jet_test::ReadTable(file, "main");
    ASSERT_EQ(ours.size(), 2 + kFillerRows) << "after kill " << kill;
    EXPECT_TRUE(IsWrittenValue(ours[1][kTimeColumn])) << "after kill " << kill;
    EXPECT_EQ(ours[1][0], "GRE词汇");

    // mdb-export lists a moved row where its copy lies, found by its class.
    // It also lists a copy that no pointer names yet (the writer was killed
    // between writing the copy and the pointer) until the next write deletes
    // it; then it shows the row twice, both times with a written value.
    const std::vector<jet_test::CsvRecord> theirs = jet_test::MdbExport(file, "main");
    ASSERT_GE(theirs.size(), 2 + kFillerRows) << "after kill " << kill;
    ASSERT_LE(theirs.size(), 3 + kFillerRows) << "after kill " << kill;
    size_t settings_rows = 0;
    for (const jet_test::CsvRecord& record : theirs) {
      if (record[0] != std::optional<std::string>("GRE词汇")) continue;
      ++settings_rows;
      EXPECT_TRUE(IsWrittenValue(record[kTimeColumn])) << "after kill " << kill;
    }
    EXPECT_EQ(settings_rows + kFillerRows + 1, theirs.size()) << "after kill " << kill;
  }
  // The writes did move the row: its slot points to a copy elsewhere.
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadOnly, &db).ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(db->OpenTable("main", &table).ok());
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  ASSERT_TRUE(cursor->Next());
  EXPECT_TRUE(jet_test::SlotFlags(file, cursor->row_id()) & jet::Format::kRowLookupFlag);
}

}  // namespace
