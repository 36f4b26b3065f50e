// lexmira-mdb tables/export as a user runs them: the CSV reads as what
// mdb-export prints, and failures exit 1 with one line on stderr.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "jet/database.h"
#include "jet/table.h"
#include "mdbtools_csv.h"
#include "writer_test_util.h"

namespace {

using jet_test::RunCommand;
using jet_test::ShellQuote;

std::string Tool() { return ShellQuote(LEXMIRA_MDB_TOOL); }

TEST(ExportTool, MatchesMdbExport) {
  jet_test::ScratchDir dir;
  const std::string path = dir.File("quotes.mdb");
  {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Create(path, &db).ok());
    ASSERT_TRUE(db->CreateTable("notes", {{"id", jet::ColumnType::kLongInteger},
                                          {"title", jet::ColumnType::kText, 100},
                                          {"body", jet::ColumnType::kMemo}})
                    .ok());
    std::unique_ptr<jet::Table> table;
    ASSERT_TRUE(db->OpenTable("notes", &table).ok());
    ASSERT_TRUE(table
                    ->Insert({{"1", "say \"hi\"", "line one\nline two"},
                              {"-7", "", std::nullopt},
                              {std::nullopt, "逗号, and \"\"", "\"quoted\""},
                              {"2147483647", std::nullopt, ""}})
                    .ok());
  }
  int ours_code, theirs_code;
  const std::string ours =
      RunCommand(Tool() + " export " + ShellQuote(path) + " notes", &ours_code);
  const std::string theirs = RunCommand("mdb-export " + ShellQuote(path) + " notes", &theirs_code);
  EXPECT_EQ(ours_code, 0);
  ASSERT_EQ(theirs_code, 0);
  // mdb-export prints empty text like null; we keep them apart.
  EXPECT_NE(ours.find("\n-7,\"\",\n"), std::string::npos) << ours;
  std::vector<jet_test::CsvRecord> our_records = jet_test::ParseCsv(ours);
  for (jet_test::CsvRecord& record : our_records) {
    for (auto& field : record) {
      if (field && field->empty()) field.reset();
    }
  }
  EXPECT_EQ(our_records, jet_test::ParseCsv(theirs));
}

TEST(ExportTool, ListsTables) {
  int code;
  const std::string out = RunCommand(
      Tool() + " tables " + ShellQuote(std::string(LEXMIRA_FIXTURES_DIR) + "/testV1997.mdb"),
      &code);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(out, "Table1\nTable2\nTable3\nTable4\n");
}

struct FailureCase {
  const char* name;
  std::string arguments;
  std::string message;
};

const std::string kFixture = std::string(LEXMIRA_FIXTURES_DIR) + "/testV2000.mdb";

const FailureCase kFailures[] = {
    {"missing_table", "export " + ShellQuote(kFixture) + " Nowhere",
     "lexmira-mdb: " + kFixture + ": no table named 'Nowhere'\n"},
    {"missing_file", "tables /nonexistent/words.mdb",
     "lexmira-mdb: /nonexistent/words.mdb: no such file\n"},
    {"not_a_database", "export " + ShellQuote(std::string(LEXMIRA_FIXTURES_DIR) + "/README.md") +
                           " t",
     "lexmira-mdb: " + std::string(LEXMIRA_FIXTURES_DIR) +
         "/README.md: not a Jet database (Access 97–2003 .mdb) file\n"},
};

class ExportToolFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(ExportToolFailure, ExitsOneWithOneLine) {
  int code;
  const std::string err =
      RunCommand(Tool() + " " + GetParam().arguments + " 2>&1 >/dev/null", &code);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(err, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExportToolFailure, testing::ValuesIn(kFailures),
                         [](const testing::TestParamInfo<FailureCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
