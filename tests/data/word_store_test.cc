#include "data/word_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/error.h"
#include "mdb_fixture.h"

namespace lexmira {
namespace {

using testing::Number;
using testing::TableFixture;
using testing::Text;

// Table "0" has a number id, table "1" a text id; in both, the id that is a
// prefix of another ("12" of "123") comes after it in table order.
class WordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<jet::ColumnSpec> number_id = {Number("id"), Text("word"), Text("mean"),
                                                    Text("class")};
    const std::vector<jet::ColumnSpec> text_id = {Text("id"), Text("word"), Text("mean"),
                                                  Text("class")};
    testing::CreateDatabase(
        path_, {
                   TableFixture{"0",
                                number_id,
                                {{"123", "apple", "1D", "n."},
                                 {"12", "bee", "", "n."},
                                 {"7", "  cat ", "ACEC", std::nullopt}}},
                   TableFixture{"1", text_id, {{"123", "x", "", "a"}, {"12", "y", "", "b"},
                                               {"1", "z", "", "c"}}},
                   TableFixture{"2", text_id, {}},
               });
    store_.SetDatabasePath(path_);
  }

  std::string Word() const { return store_.Field("word"); }

  testing::ScratchDir dir_;
  const std::string path_ = dir_.File("words.mdb");
  WordStore store_;
};

TEST_F(WordStoreTest, ReadsRowsForwardAndStaysOnTheLastRow) {
  store_.OpenLibrary("0");
  EXPECT_TRUE(store_.IsOpen());
  EXPECT_EQ(store_.library(), "0");
  EXPECT_EQ(store_.Field("id"), "123");
  EXPECT_EQ(store_.Field("WORD"), "apple");
  store_.Next();
  EXPECT_EQ(Word(), "bee");
  EXPECT_EQ(store_.Field("mean"), "");
  store_.Next();
  EXPECT_EQ(Word(), "  cat ") << "values are read untrimmed";
  EXPECT_EQ(store_.Field("class"), "") << "null reads as empty text";
  EXPECT_EQ(store_.Field("id"), "7");
  for (int i = 0; i < 3; ++i) {
    store_.Next();
    EXPECT_EQ(Word(), "  cat ");
  }
}

TEST_F(WordStoreTest, OpeningTheOpenLibraryStartsAgainAtItsFirstRow) {
  store_.OpenLibrary("1");
  store_.Next();
  store_.Next();
  store_.OpenLibrary("1");
  EXPECT_EQ(Word(), "x");
  store_.Next();
  EXPECT_EQ(Word(), "y");
}

TEST_F(WordStoreTest, LocateIdFindsTheWholeIdOnly) {
  struct Case {
    std::string table;
    std::string id;
    std::string word;  // "" when nothing matches and the second row stays
  };
  const Case cases[] = {
      {"0", "12", "bee"},  {"0", "123", "apple"}, {"0", "7", "  cat "}, {"0", "012", "bee"},
      {"0", "1", ""},      {"0", "99", ""},       {"0", "", ""},        {"0", "abc", ""},
      {"1", "12", "y"},    {"1", "1", "z"},       {"1", "123", "x"},    {"1", "012", ""},
      {"1", "1 ", ""},     {"1", "", ""},
  };
  for (const Case& c : cases) {
    store_.OpenLibrary(c.table);
    store_.Next();
    const std::string second_row = Word();
    store_.LocateId(c.id);
    EXPECT_EQ(Word(), c.word.empty() ? second_row : c.word)
        << "table " << c.table << ", id '" << c.id << "'";
  }
}

TEST_F(WordStoreTest, NextGoesOnFromTheLocatedRow) {
  store_.OpenLibrary("0");
  store_.LocateId("12");
  store_.Next();
  EXPECT_EQ(Word(), "  cat ");
  store_.Next();
  EXPECT_EQ(Word(), "  cat ");
  store_.LocateId("123");
  store_.Next();
  EXPECT_EQ(Word(), "bee") << "a located row restarts the walk there, even after the end";
}

TEST_F(WordStoreTest, EmptyTableReadsEmptyFields) {
  store_.OpenLibrary("2");
  store_.Next();
  store_.LocateId("1");
  for (const char* column : {"id", "word", "mean", "class"}) EXPECT_EQ(store_.Field(column), "");
}

TEST_F(WordStoreTest, FailuresNameTheComponent) {
  const std::string closed = "ADOTable1: Cannot perform this operation on a closed dataset";
  struct Case {
    std::string what;
    std::function<void()> call;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"Field closed", [&] { store_.Field("word"); }, "ADOTable1: Field 'word' not found"},
      {"Next closed", [&] { store_.Next(); }, closed},
      {"LocateId closed", [&] { store_.LocateId("1"); }, closed},
      {"missing column",
       [&] {
         store_.OpenLibrary("0");
         store_.Field("meaning");
       },
       "ADOTable1: Field 'meaning' not found"},
  };
  for (const Case& c : cases) {
    store_.Close();
    try {
      c.call();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error) << c.what;
    }
  }
}

TEST_F(WordStoreTest, UnopenableLibraryNamesTheFileAndLeavesTheStoreClosed) {
  const std::string missing_file = dir_.File("none.mdb");
  struct Case {
    std::string path;
    std::string table;
  };
  for (const Case& c : {Case{path_, "8"}, Case{missing_file, "0"}}) {
    store_.SetDatabasePath(c.path);
    if (c.path == path_) store_.OpenLibrary("0");  // a failed open closes an open store too
    try {
      store_.OpenLibrary(c.table);
      ADD_FAILURE() << "no error for table " << c.table << " of " << c.path;
    } catch (const Error& e) {
      const std::string text = e.what();
      EXPECT_EQ(text.rfind("ADOTable1: ", 0), 0u) << text;
      EXPECT_NE(text.find(c.path), std::string::npos) << text;
    }
    EXPECT_FALSE(store_.IsOpen());
    EXPECT_THROW(store_.Next(), Error);
  }
}

}  // namespace
}  // namespace lexmira
