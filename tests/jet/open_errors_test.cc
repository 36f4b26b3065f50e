// Files that are not sound Jet 3 / Jet 4 databases are refused with an error
// that names the file and the reason, never a crash.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine_exercise.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"
#include "scratch_dir.h"

namespace {

using Bytes = std::vector<char>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

Bytes Fixture(const std::string& name) {
  return ReadFile(std::string(LEXMIRA_FIXTURES_DIR) + "/" + name);
}

// Opens the file and reads every value of every table; returns the first
// error met.
jet::Status OpenAndReadAll(const std::string& path) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(path, jet::OpenMode::kReadOnly, &db);
  if (!s.ok()) return s;
  return engine_exercise::ReadEverything(db.get());
}

struct BadFileCase {
  const char* name;
  // Makes the file's bytes; nullopt leaves no file at all.
  std::function<std::optional<Bytes>()> make;
  jet::Status::Code code;
  const char* reason;  // part of the message
};

Bytes Patched(const char* fixture, size_t offset, const std::string& bytes) {
  Bytes b = Fixture(fixture);
  std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(offset));
  return b;
}

Bytes Truncated(const char* fixture, size_t size) {
  Bytes b = Fixture(fixture);
  b.resize(size);
  return b;
}

constexpr size_t kJet4Page = 4096;

const BadFileCase kBadFiles[] = {
    {"missing", [] { return std::optional<Bytes>(); }, jet::Status::Code::kNotFound,
     "no such file"},
    {"empty", [] { return std::optional<Bytes>(Bytes()); }, jet::Status::Code::kNotSupported,
     "not a Jet database (Access 97–2003 .mdb) file"},
    {"random_bytes",
     [] {
       std::mt19937 random(7);
       Bytes b(8 * kJet4Page);
       for (char& c : b) c = static_cast<char>(random());
       return std::optional<Bytes>(b);
     },
     jet::Status::Code::kNotSupported, "not a Jet database"},
    {"zeroed_first_page",
     [] { return std::optional<Bytes>(Patched("testV2000.mdb", 0, std::string(kJet4Page, '\0'))); },
     jet::Status::Code::kNotSupported, "not a Jet database"},
    {"ace_magic",
     [] { return std::optional<Bytes>(Patched("testV2000.mdb", 4, "Standard ACE DB")); },
     jet::Status::Code::kNotSupported, "Access 2007 or later (.accdb)"},
    {"ace_version",
     [] { return std::optional<Bytes>(Patched("testV2000.mdb", 0x14, "\x02")); },
     jet::Status::Code::kNotSupported, "Access 2007 or later (.accdb)"},
    {"truncated_to_two_pages",
     [] { return std::optional<Bytes>(Truncated("testV2000.mdb", 2 * kJet4Page)); },
     jet::Status::Code::kCorruption, "file is truncated"},
    {"truncated_mid_page",
     [] { return std::optional<Bytes>(Truncated("testV2000.mdb", 2 * kJet4Page + 100)); },
     jet::Status::Code::kCorruption, "file is truncated"},
    {"truncated_after_catalogue",
     [] { return std::optional<Bytes>(Truncated("testV2000.mdb", 12 * kJet4Page)); },
     jet::Status::Code::kCorruption, "past the end of the file"},
    {"catalogue_page_not_a_definition",
     [] { return std::optional<Bytes>(Patched("testV2000.mdb", 2 * kJet4Page, "\x01")); },
     jet::Status::Code::kCorruption, "page 2 is not a table definition page"},
};

class BadFileTest : public testing::TestWithParam<BadFileCase> {
 protected:
  std::string Path() const { return testing::TempDir() + "bad_" + GetParam().name + ".mdb"; }
  void TearDown() override { std::remove(Path().c_str()); }
};

TEST_P(BadFileTest, IsRefusedWithItsReason) {
  const BadFileCase& c = GetParam();
  std::remove(Path().c_str());
  if (std::optional<Bytes> bytes = c.make()) WriteFile(Path(), *bytes);
  const jet::Status s = OpenAndReadAll(Path());
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.code(), c.code) << s.message();
  EXPECT_NE(s.message().find(c.reason), std::string::npos) << s.message();
  EXPECT_EQ(s.message().rfind(Path(), 0), 0u) << "names the file: " << s.message();
}

INSTANTIATE_TEST_SUITE_P(Files, BadFileTest, testing::ValuesIn(kBadFiles),
                         [](const testing::TestParamInfo<BadFileCase>& info) {
                           return std::string(info.param.name);
                         });

// Inputs the fuzzer kept (crashes it found once, and its seeds) must read to
// the end, and take the fuzzer's writes, or fail with a message, in the
// ordinary build too.
TEST(FuzzRegressions, ReadAndWriteWithoutCrashing) {
  const std::filesystem::path dir =
      std::filesystem::path(LEXMIRA_FIXTURES_DIR).parent_path() / "fuzz" / "regressions";
  test_support::ScratchDir scratch;
  size_t inputs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    jet::Status s = OpenAndReadAll(entry.path().string());
    EXPECT_TRUE(s.ok() || !s.message().empty()) << entry.path();
    const std::string copy = scratch.File(entry.path().filename().string());
    std::filesystem::copy_file(entry.path(), copy);
    std::unique_ptr<jet::Database> db;
    if (jet::Database::Open(copy, jet::OpenMode::kReadWrite, &db).ok()) {
      s = engine_exercise::WriteEachTable(db.get());
      EXPECT_TRUE(s.ok() || !s.message().empty()) << entry.path();
      s = engine_exercise::ReadEverything(db.get());
      EXPECT_TRUE(s.ok() || !s.message().empty()) << entry.path();
    }
    ++inputs;
  }
  EXPECT_GT(inputs, 0u);
}

TEST(OpenTable, UnknownTableIsNotFound) {
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(std::string(LEXMIRA_FIXTURES_DIR) + "/testV2000.mdb",
                                  jet::OpenMode::kReadOnly, &db)
                  .ok());
  std::unique_ptr<jet::Table> table;
  const jet::Status s = db->OpenTable("Table9", &table);
  EXPECT_EQ(s.code(), jet::Status::Code::kNotFound);
  EXPECT_NE(s.message().find("'Table9'"), std::string::npos) << s.message();
}

TEST(OpenTable, NamesCompareWithoutCase) {
  std::unique_ptr<jet::Database> db;
  ASSERT_TRUE(jet::Database::Open(std::string(LEXMIRA_FIXTURES_DIR) + "/testV1997.mdb",
                                  jet::OpenMode::kReadOnly, &db)
                  .ok());
  std::unique_ptr<jet::Table> table;
  ASSERT_TRUE(db->OpenTable("tABLE3", &table).ok());
  EXPECT_EQ(table->def().name, "Table3");
}

}  // namespace
