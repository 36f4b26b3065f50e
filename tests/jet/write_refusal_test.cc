// Writes the engine refuses: each fails with a clear error and leaves the
// file's bytes as they were.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "writer_test_util.h"

namespace {

using Code = jet::Status::Code;

struct RefusalCase {
  const char* name;
  const char* fixture;  // copied from the fixtures; empty: a file made by the writer
  const char* table;
  std::function<jet::Status(jet::Table*)> write;
  Code code;
  const char* message_part;
};

jet::RowId FirstRow(const jet::Table& table) {
  std::unique_ptr<jet::Cursor> cursor = table.NewCursor();
  EXPECT_TRUE(cursor->Next());
  return cursor->row_id();
}

const RefusalCase kCases[] = {
    {"Jet3Insert", "testV1997.mdb", "Table1",
     [](jet::Table* t) { return t->Insert({jet::RowValues(t->def().columns.size())}); },
     Code::kNotSupported, "Jet 3"},
    {"Jet3Update", "testV1997.mdb", "Table1",
     [](jet::Table* t) { return t->Update(FirstRow(*t), t->def().columns[0].name, "x"); },
     Code::kNotSupported, "Jet 3"},
    {"InsertIntoIndexedTable", "delColTestV2000.mdb", "Table1",
     [](jet::Table* t) { return t->Insert({jet::RowValues(t->def().columns.size())}); },
     Code::kNotSupported, "has an index"},
    {"UpdateOfIndexedColumn", "delColTestV2000.mdb", "Table1",
     [](jet::Table* t) { return t->Update(FirstRow(*t), "id", "99"); }, Code::kNotSupported,
     "part of an index"},
    {"TextTooLong", "", "t",
     [](jet::Table* t) { return t->Update(FirstRow(*t), "class", std::string(11, 'x')); },
     Code::kInvalidArgument, "more than the 10"},
    {"TextTooLongOnInsert", "", "t",
     [](jet::Table* t) {
       return t->Insert({{"1", std::string(11, 'x')}});
     },
     Code::kInvalidArgument, "more than the 10"},
    {"EmojiCountTwiceButAreCalledCharacters", "", "t",
     [](jet::Table* t) { return t->Update(FirstRow(*t), "class", "\U0001F600\U0001F600abcdefg"); },
     Code::kInvalidArgument,
     "has 9 characters, which take the room of 11 (characters beyond U+FFFF, such as emoji, count "
     "twice), more than the 10"},
    {"NumberColumnGivenText", "", "t",
     [](jet::Table* t) { return t->Update(FirstRow(*t), "id", "abc"); }, Code::kInvalidArgument,
     "'abc' is not a valid integer value"},
    {"NumberOutOfRange", "", "t",
     [](jet::Table* t) {
       return t->Insert({{"2147483648", "x"}});
     },
     Code::kInvalidArgument, "out of range"},
    {"DeletedRow", "delTestV2000.mdb", "Table",
     [](jet::Table* t) { return t->Update({31, 1}, "a", "x"); }, Code::kNotFound, "deleted"},
    {"NoSuchColumn", "", "t", [](jet::Table* t) { return t->Update(FirstRow(*t), "nope", "1"); },
     Code::kNotFound, "no column \"nope\""},
};

class WriteRefusalTest : public testing::TestWithParam<RefusalCase> {};

TEST_P(WriteRefusalTest, FailsClearlyAndWritesNothing) {
  const RefusalCase& c = GetParam();
  jet_test::ScratchDir dir;
  const std::string file = dir.File("file.mdb");
  if (*c.fixture) {
    std::filesystem::copy_file(std::string(LEXMIRA_FIXTURES_DIR) + "/" + c.fixture, file);
  } else {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Create(file, &db).ok());
    ASSERT_TRUE(db->CreateTable(c.table, {{"id", jet::ColumnType::kLongInteger},
                                          {"class", jet::ColumnType::kText, 10}})
                    .ok());
    std::unique_ptr<jet::Table> table;
    ASSERT_TRUE(db->OpenTable(c.table, &table).ok());
    ASSERT_TRUE(table->Insert({{"1", "a"}}).ok());
  }
  const std::string before = jet_test::FileBytes(file);

  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(file, jet::OpenMode::kReadWrite, &db);
  ASSERT_TRUE(s.ok()) << s.message();
  std::unique_ptr<jet::Table> table;
  s = db->OpenTable(c.table, &table);
  ASSERT_TRUE(s.ok()) << s.message();
  s = c.write(table.get());
  EXPECT_EQ(s.code(), c.code) << s.message();
  EXPECT_NE(s.message().find(c.message_part), std::string::npos) << s.message();
  EXPECT_NE(s.message().find(file), std::string::npos) << "names the file: " << s.message();
  EXPECT_TRUE(jet_test::FileBytes(file) == before) << "the file changed";
}

INSTANTIATE_TEST_SUITE_P(Cases, WriteRefusalTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<RefusalCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
