// The writing subcommands of lexmira-mdb as a user runs them: build-words,
// build-settings and set, their results and their errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/gbk_text.h"
#include "data/meaning_cipher.h"
#include "data/message_sink.h"
#include "mdbtools_csv.h"
#include "writer_test_util.h"

namespace {

using jet_test::ShellQuote;

// A well-formed stored meaning shows no message.
class NoMessages : public lexmira::MessageSink {
 public:
  void ShowMessage(const std::string& text) override { ADD_FAILURE() << "message: " << text; }
};

struct ToolResult {
  int exit_code;
  std::string err;
};

ToolResult RunTool(const std::string& arguments, const jet_test::ScratchDir& dir) {
  const std::string err_file = dir.File("stderr.txt");
  int code = 0;
  jet_test::RunCommand(
      std::string(LEXMIRA_MDB_TOOL) + " " + arguments + " 2>" + ShellQuote(err_file), &code);
  return {code, jet_test::FileBytes(err_file)};
}

std::vector<std::vector<std::string>> ReadTsv(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    std::vector<std::string> fields;
    std::stringstream split(line);
    std::string field;
    while (std::getline(split, field, '\t')) fields.push_back(field);
    rows.push_back(fields);
  }
  return rows;
}

TEST(MdbToolWrite, BuildWordsStoresEveryListWithEncipheredMeanings) {
  jet_test::ScratchDir dir;
  const std::string out = dir.File("words.mdb");
  const ToolResult result =
      RunTool("build-words " + ShellQuote(out) + " " + ShellQuote(LEXMIRA_WORDLISTS_DIR), dir);
  ASSERT_EQ(result.exit_code, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(jet_test::MdbTables(out),
            (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7"}));
  NoMessages messages;
  for (const char* table : {"0", "7"}) {
    const auto list = ReadTsv(std::string(LEXMIRA_WORDLISTS_DIR) + "/" + table + ".tsv");
    const std::vector<jet_test::CsvRecord> ours = jet_test::ReadTable(out, table);
    const std::vector<jet_test::CsvRecord> theirs = jet_test::MdbExport(out, table);
    ASSERT_EQ(ours.size(), list.size() + 1) << table;
    EXPECT_EQ(ours, theirs) << table;
    EXPECT_EQ(ours[0], (jet_test::CsvRecord{"id", "word", "mean", "class"}));
    for (size_t i = 0; i < list.size(); ++i) {
      const jet_test::CsvRecord& row = ours[i + 1];
      EXPECT_EQ(row[0], std::to_string(i + 1));
      EXPECT_EQ(row[1], list[i][0]);
      EXPECT_EQ(row[3], list[i][2]);
      std::string cp936;
      ASSERT_TRUE(lexmira::Utf8ToCp936(list[i][1], &cp936));
      EXPECT_EQ(lexmira::DecodeText(row[2].value_or(""), lexmira::MeaningKey, messages), cp936)
          << table << " row " << i + 1;
    }
  }
}

TEST(MdbToolWrite, BuildWordsNamesTheLineOfAMeaningOutsideCodePage936) {
  jet_test::ScratchDir dir;
  const std::string lists = dir.File("lists");
  std::filesystem::create_directory(lists);
  for (int i = 0; i < 8; ++i) {
    std::ofstream(lists + "/" + std::to_string(i) + ".tsv")
        << "word\tmean\tclass\nruler\t尺子\t小学\n"
        << (i == 2 ? "smile\t😀\t小学\n" : "");
  }
  const std::string out = dir.File("words.mdb");
  std::ofstream(out) << "the old file";
  const ToolResult result =
      RunTool("build-words " + ShellQuote(out) + " " + ShellQuote(lists), dir);
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_NE(result.err.find(lists + "/2.tsv:3"), std::string::npos) << result.err;
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_EQ(jet_test::FileBytes(out), "the old file") << "nothing written over OUT";
  EXPECT_FALSE(std::filesystem::exists(out + ".partial"));
}

TEST(MdbToolWrite, SetInsertsTheFirstRowThenEditsIt) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("set.mdb");
  ASSERT_EQ(RunTool("build-settings " + ShellQuote(file), dir).exit_code, 0);
  EXPECT_EQ(jet_test::ReadTable(file, "main"),
            (std::vector<jet_test::CsvRecord>{{"class", "time", "id"}}));
  ASSERT_EQ(RunTool("set " + ShellQuote(file) + " main class GRE词汇", dir).exit_code, 0);
  ASSERT_EQ(RunTool("set " + ShellQuote(file) + " main TIME 3000", dir).exit_code, 0);
  const std::vector<jet_test::CsvRecord> expected = {{"class", "time", "id"},
                                                     {"GRE词汇", "3000", std::nullopt}};
  EXPECT_EQ(jet_test::ReadTable(file, "main"), expected);
  EXPECT_EQ(jet_test::MdbExport(file, "main"), expected);
}

TEST(MdbToolWrite, ErrorsAreOneLineAndExitStatusOne) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("set.mdb");
  ASSERT_EQ(RunTool("build-settings " + ShellQuote(file), dir).exit_code, 0);
  const struct {
    std::string arguments;
    std::string message_part;
  } kCases[] = {
      {"build-settings " + ShellQuote(file), "already exists"},
      {"set " + ShellQuote(dir.File("missing.mdb")) + " main id 1", "no such file"},
      {"set " + ShellQuote(file) + " other id 1", "other"},
      // Opening a directory for update or to read is refused in the same words.
      {"set " + ShellQuote(dir.path()) + " main id 1", "not a regular file"},
      {"tables " + ShellQuote(dir.path()), "not a regular file"},
      {"set " + ShellQuote(file) + " main nope 1", "no column \"nope\""},
      {"set " + ShellQuote(file) + " main id " + std::string(256, 'x'), "255"},
      {"build-words " + ShellQuote(dir.File("w.mdb")) + " " + ShellQuote(dir.File("none")),
       "0.tsv"},
  };
  for (const auto& c : kCases) {
    const ToolResult result = RunTool(c.arguments, dir);
    EXPECT_EQ(result.exit_code, 1) << c.arguments;
    EXPECT_EQ(result.err.rfind("lexmira-mdb: ", 0), 0u) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_NE(result.err.find(c.message_part), std::string::npos) << result.err;
  }
}

}  // namespace
