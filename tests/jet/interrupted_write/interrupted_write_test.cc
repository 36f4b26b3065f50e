// A row move stopped after each of its page writes, as a killed process
// stops it: afterwards, and once the next write has tidied up, our reader
// and mdb-export both show the row exactly once, with its old or new value.
//
// This binary replaces pwrite() for its own process: a child given a budget
// of page writes is stopped at the next one. Nothing else here writes.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "data/settings_schema.h"
#include "engine_rows.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "mdbtools_csv.h"
#include "repeat.h"
#include "writer_test_util.h"

namespace {

long page_writes_left = -1;  // -1: no limit
constexpr int kStoppedExit = 42;

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) {
  if (page_writes_left == 0) _exit(kStoppedExit);
  if (page_writes_left > 0) --page_writes_left;
  return syscall(SYS_pwrite64, fd, buf, count, offset);
}

namespace {

constexpr size_t kClass = 0, kTime = 1, kId = 2;
constexpr size_t kFillersPerInsert = 30;  // fill one page and start the next
const std::string kSettingsId = "12";

using test_support::Repeat;

std::unique_ptr<jet::Table> OpenMain(const std::string& file, std::unique_ptr<jet::Database>* db) {
  std::unique_ptr<jet::Table> table;
  if (!jet::Database::Open(file, jet::OpenMode::kReadWrite, db).ok() ||
      !(*db)->OpenTable("main", &table).ok()) {
    return nullptr;
  }
  return table;
}

jet::Status InsertFillers(jet::Table* table) {
  std::vector<jet::RowValues> rows;
  for (size_t i = 0; i < kFillersPerInsert; ++i) {
    const std::string filler = Repeat(std::to_string(i % 10), 60);
    rows.push_back({filler, filler, "f"});
  }
  return table->Insert(rows);
}

struct Change {
  const char* column;
  std::string value;
};

// The move under test; `earlier` changes come first, uninterrupted.
struct Scenario {
  const char* name;
  std::vector<Change> earlier;
  Change interrupted;
};

// The settings row, then rows that fill its page; each earlier change is
// followed by more such rows so that the page it moved the row to is full.
void MakeFile(const std::string& file, const Scenario& scenario) {
  ASSERT_TRUE(lexmira::CreateSettingsDatabase(file).ok());
  std::unique_ptr<jet::Database> db;
  std::unique_ptr<jet::Table> table = OpenMain(file, &db);
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->Insert({{"GRE词汇", "3000", kSettingsId}}).ok());
  ASSERT_TRUE(InsertFillers(table.get()).ok());
  for (const Change& change : scenario.earlier) {
    ASSERT_TRUE(table->SetInFirstRow(change.column, change.value).ok());
    ASSERT_TRUE(InsertFillers(table.get()).ok());
  }
}

// Runs the interrupted change in a child allowed `budget` page writes;
// true when it finished within them.
bool ChangeWithin(const std::string& file, const Change& change, long budget) {
  const pid_t child = fork();
  if (child == 0) {
    std::unique_ptr<jet::Database> db;
    std::unique_ptr<jet::Table> table = OpenMain(file, &db);
    if (table == nullptr) _exit(2);
    page_writes_left = budget;
    _exit(table->SetInFirstRow(change.column, change.value).ok() ? 0 : 3);
  }
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_TRUE(WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == kStoppedExit)
      << "exit " << WEXITSTATUS(status);
  return WEXITSTATUS(status) == 0;
}

// The settings rows (id kSettingsId) of the table as read by each reader.
std::vector<jet::RowValues> OurSettingsRows(const std::string& file, size_t* row_count) {
  const std::vector<jet::RowValues> rows = test_support::ReadRows(file, "main");
  *row_count = rows.size();
  std::vector<jet::RowValues> settings;
  for (const jet::RowValues& row : rows) {
    if (row[kId] == kSettingsId) settings.push_back(row);
  }
  return settings;
}

std::vector<jet_test::CsvRecord> TheirSettingsRows(const std::string& file, size_t* row_count) {
  std::vector<jet_test::CsvRecord> records = jet_test::MdbExport(file, "main");
  records.erase(records.begin());  // the header
  *row_count = records.size();
  std::vector<jet_test::CsvRecord> settings;
  for (const jet_test::CsvRecord& record : records) {
    if (record[kId] == kSettingsId) settings.push_back(record);
  }
  return settings;
}

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class InterruptedMove : public testing::TestWithParam<Scenario> {};

TEST_P(InterruptedMove, LeavesTheOldOrTheNewRowOnceForEveryReader) {
  const Scenario& scenario = GetParam();
  jet_test::ScratchDir dir;
  const std::string pristine = dir.File("pristine.mdb");
  MakeFile(pristine, scenario);
  const size_t expected_rows = 1 + kFillersPerInsert * (1 + scenario.earlier.size());
  size_t ignored;
  const jet::RowValues old_row = OurSettingsRows(pristine, &ignored).at(0);
  jet::RowValues new_row = old_row;
  new_row[scenario.interrupted.column == std::string("class") ? kClass : kTime] =
      scenario.interrupted.value;

  bool finished = false;
  long budget = 0;
  for (; !finished; ++budget) {
    SCOPED_TRACE("stopped before page write " + std::to_string(budget + 1));
    const std::string file = dir.File("interrupted.mdb");
    std::filesystem::copy_file(pristine, file, std::filesystem::copy_options::overwrite_existing);
    finished = ChangeWithin(file, scenario.interrupted, budget);

    size_t row_count;
    std::vector<jet::RowValues> ours = OurSettingsRows(file, &row_count);
    ASSERT_EQ(row_count, expected_rows);
    ASSERT_EQ(ours.size(), 1u);
    EXPECT_TRUE(ours[0] == old_row || ours[0] == new_row);

    // The next write to the table deletes whatever the stopped one left.
    std::unique_ptr<jet::Database> db;
    std::unique_ptr<jet::Table> table = OpenMain(file, &db);
    ASSERT_NE(table, nullptr);
    ASSERT_TRUE(table->SetInFirstRow("id", kSettingsId).ok());
    const jet::RowValues shown = ours[0];
    ours = OurSettingsRows(file, &row_count);
    ASSERT_EQ(row_count, expected_rows);
    ASSERT_EQ(ours.size(), 1u);
    EXPECT_EQ(ours[0], shown);
    const std::vector<jet_test::CsvRecord> theirs = TheirSettingsRows(file, &row_count);
    EXPECT_EQ(row_count, expected_rows);
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(theirs[0], jet_test::CsvRecord(shown.begin(), shown.end()));
  }
  EXPECT_GE(budget, 3) << "the change took fewer page writes than a move does";
  // Finished, the row did move: its slot points elsewhere.
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(dir.File("interrupted.mdb"), jet::OpenMode::kReadOnly, &db).ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(db->OpenTable("main", &table).ok());
  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  ASSERT_TRUE(cursor->Next());
  EXPECT_TRUE(jet_test::SlotFlags(dir.File("interrupted.mdb"), cursor->row_id()) &
              jet::Format::kRowLookupFlag);
}

const Scenario kScenarios[] = {
    {"FirstMove", {}, {"time", Repeat("時", 255)}},
    {"SecondMove", {{"time", Repeat("時", 255)}}, {"class", Repeat("間", 255)}},
};

INSTANTIATE_TEST_SUITE_P(Moves, InterruptedMove, testing::ValuesIn(kScenarios),
                         [](const testing::TestParamInfo<Scenario>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
