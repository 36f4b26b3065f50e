// What the writer makes reads back the same through Debian's mdb-export, an
// independent reader, and through our own reader, and holds what was written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/format.h"
#include "jet/little_endian.h"
#include "jet/table.h"
#include "jet/usage_map.h"
#include "mdbtools_csv.h"
#include "repeat.h"
#include "writer_test_util.h"

namespace {

using jet::ColumnType;
using jet::RowValues;
using jet_test::CsvRecord;

const std::vector<jet::ColumnSpec> kColumns = {{"id", ColumnType::kLongInteger},
                                               {"word", ColumnType::kText, 255},
                                               {"note", ColumnType::kMemo},
                                               {"class", ColumnType::kText, 10}};
const std::vector<std::string> kHeader = {"id", "word", "note", "class"};

using test_support::Repeat;

// mdb-export prints empty text the way it prints null.
std::vector<CsvRecord> AsMdbExportShows(std::vector<CsvRecord> records) {
  for (size_t r = 1; r < records.size(); ++r) {
    for (auto& field : records[r]) {
      if (field && field->empty()) field.reset();
    }
  }
  return records;
}

void ExpectBothReadersSee(const std::string& file, const std::string& table,
                          std::vector<CsvRecord> expected, bool any_order = false) {
  std::vector<CsvRecord> ours = jet_test::ReadTable(file, table);
  std::vector<CsvRecord> theirs = jet_test::MdbExport(file, table);
  if (any_order) {
    // mdb-export prints a moved row where its copy lies, we where it began.
    std::sort(ours.begin() + 1, ours.end());
    std::sort(theirs.begin() + 1, theirs.end());
    std::sort(expected.begin() + 1, expected.end());
  }
  const std::vector<CsvRecord> expected_by_mdb_export = AsMdbExportShows(expected);
  ASSERT_EQ(ours.size(), expected.size());
  ASSERT_EQ(theirs.size(), expected.size());
  for (size_t r = 0; r < expected.size(); ++r) {
    EXPECT_EQ(ours[r], expected[r]) << "our reader, record " << r;
    EXPECT_EQ(theirs[r], expected_by_mdb_export[r]) << "mdb-export, record " << r;
  }
}

std::unique_ptr<jet::Database> NewDatabase(const std::string& path, const std::string& table) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Create(path, &db);
  EXPECT_TRUE(s.ok()) << s.message();
  s = db->CreateTable(table, kColumns);
  EXPECT_TRUE(s.ok()) << s.message();
  return db;
}

std::unique_ptr<jet::Table> Open(jet::Database* db, const std::string& name) {
  std::unique_ptr<jet::Table> table;
  jet::Status s = db->OpenTable(name, &table);
  EXPECT_TRUE(s.ok()) << s.message();
  return table;
}

// The row ids of a table's rows, in cursor order.
std::vector<jet::RowId> RowIds(const jet::Table& table) {
  std::vector<jet::RowId> ids;
  std::unique_ptr<jet::Cursor> cursor = table.NewCursor();
  while (cursor->Next()) ids.push_back(cursor->row_id());
  return ids;
}

TEST(WriterRoundTrip, NewDatabaseListsItsTablesInEveryReader) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("new.mdb");
  {
    std::unique_ptr<jet::Database> db = NewDatabase(file, "Umsätze");
    ASSERT_TRUE(db->CreateTable("0", kColumns).ok());
    EXPECT_EQ(db->CreateTable("UMSÄTZE", kColumns).code(), jet::Status::Code::kInvalidArgument)
        << "names compare case-insensitively";
  }
  int code = 0;
  EXPECT_EQ(jet_test::RunCommand("mdb-ver " + jet_test::ShellQuote(file), &code), "JET4\n");
  EXPECT_EQ(jet_test::MdbTables(file), (std::vector<std::string>{"Umsätze", "0"}));
  const std::string system =
      jet_test::RunCommand("mdb-tables -S -1 " + jet_test::ShellQuote(file), &code);
  for (const char* name : {"MSysObjects", "MSysACEs", "MSysQueries", "MSysRelationships"}) {
    EXPECT_NE(system.find(name), std::string::npos) << name;
  }
  // The catalogue holds the containers Access expects beside the tables.
  const std::vector<CsvRecord> objects = jet_test::MdbExport(file, "MSysObjects");
  std::vector<std::string> names;
  for (size_t r = 1; r < objects.size(); ++r) names.push_back(objects[r][2].value_or(""));
  for (const char* name : {"Tables", "Databases", "Relationships", "MSysDb", "Forms", "Umsätze"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  }
  ExpectBothReadersSee(file, "0", jet_test::Records(kHeader, {}));
}

TEST(WriterRoundTrip, ValuesOfEveryKindReadBackAsWritten) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("values.mdb");
  const std::vector<RowValues> rows = {
      {"1", "ruler", "短", "小学"},
      {"2", "", std::nullopt, ""},  // empty text beside null
      {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
      {"-2147483648", "Umsätze", "Grüße", "ä"},
      {"2147483647", "一丁七", Repeat("一", 300), "丁"},  // low byte zero: no compression
      {"7", "Straße ½", Repeat("memo on one page ", 150), "x"},
      {"9", "switches 中文 between forms 汉字 twice", "中 then plain text", "a中"},
      {"8", Repeat("w", 255), Repeat("长文本跨越多页。", 3000), "多页"},  // several pages
  };
  {
    std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
    std::unique_ptr<jet::Table> table = Open(db.get(), "t");
    ASSERT_TRUE(table->Insert({rows[0]}).ok()) << "insert into a table with no rows";
    jet::Status s = table->Insert({rows.begin() + 1, rows.end()});
    ASSERT_TRUE(s.ok()) << s.message();
  }
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows));
}

TEST(WriterRoundTrip, TenThousandInsertsSpanManyPages) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("many.mdb");
  std::vector<RowValues> rows;
  for (int i = 1; i <= 10000; ++i) {
    rows.push_back({std::to_string(i), "word" + std::to_string(i),
                    i % 97 == 0 ? std::optional<std::string>(Repeat("m", 300 + i % 500))
                                : std::optional<std::string>("含义" + std::to_string(i)),
                    i % 2 ? "odd" : "even"});
  }
  {
    std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
    std::unique_ptr<jet::Table> table = Open(db.get(), "t");
    ASSERT_TRUE(table->Insert({rows.begin(), rows.begin() + 9990}).ok());
  }
  {
    // Then one at a time, after reopening, as separate writes.
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadWrite, &db).ok());
    std::unique_ptr<jet::Table> table = Open(db.get(), "t");
    for (size_t i = 9990; i < rows.size(); ++i) ASSERT_TRUE(table->Insert({rows[i]}).ok());
    EXPECT_EQ(table->def().row_count, 10000u);
  }
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows));
}

// An inline usage map covers 512 pages; a table that outgrows it gets
// bitmap pages of its own, and still reads whole.
TEST(WriterRoundTrip, TableLargerThanAnInlineUsageMap) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("large.mdb");
  std::vector<RowValues> rows;
  for (int i = 1; i <= 9000; ++i) {
    rows.push_back({std::to_string(i), Repeat(std::to_string(i % 10), 250), std::nullopt, "c"});
  }
  {
    std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
    std::unique_ptr<jet::Table> table = Open(db.get(), "t");
    ASSERT_TRUE(table->Insert({rows.begin(), rows.begin() + 4000}).ok());
    const uint32_t map = table->def().used_pages_pointer;
    EXPECT_EQ(jet_test::RowBytes(file, {map >> 8, static_cast<uint16_t>(map & 0xff)})[0], '\0')
        << "an inline map first";
    jet::Status s = table->Insert({rows.begin() + 4000, rows.end()});
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(jet_test::RowBytes(file, {map >> 8, static_cast<uint16_t>(map & 0xff)})[0], '\1')
        << "then bitmap pages";
  }
  ASSERT_GT(std::filesystem::file_size(file), 600u * 4096) << "the table spans over 512 pages";
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows));
}

// An updated memo's old pages go back to the free page map and are reused,
// whether the memo takes one long value row or a chain of them.
TEST(WriterRoundTrip, RepeatedMemoUpdatesKeepTheFileSizeBounded) {
  constexpr int kUpdates = 100;
  const std::string memos[] = {Repeat("m", 3000), Repeat("备注", 1500), Repeat("n", 900)};
  jet_test::ScratchDir dir;
  const std::string file = dir.File("memo.mdb");
  std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
  std::unique_ptr<jet::Table> table = Open(db.get(), "t");
  ASSERT_TRUE(table->Insert({{"1", "word", memos[0], "c"}}).ok());
  const jet::RowId row = RowIds(*table).at(0);
  uintmax_t size_after_first_round = 0;
  for (int i = 1; i <= kUpdates; ++i) {
    const jet::Status s = table->Update(row, "note", memos[i % std::size(memos)]);
    ASSERT_TRUE(s.ok()) << s.message();
    if (i == static_cast<int>(std::size(memos))) {
      size_after_first_round = std::filesystem::file_size(file);
    }
  }
  // Each value's pages are freed only after the next one is written, so a
  // page or two more than one round may be in use.
  EXPECT_LE(std::filesystem::file_size(file),
            size_after_first_round + 2 * jet::Jet4Format().page_size);
  ExpectBothReadersSee(file, "t",
                       jet_test::Records(kHeader, {{"1", "word", memos[kUpdates % 3], "c"}}));
}

TEST(WriterRoundTrip, RowThatOutgrowsItsPageMovesAndKeepsItsPlace) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("move.mdb");
  std::vector<RowValues> rows;
  for (int i = 0; i < 60; ++i) {
    rows.push_back({std::to_string(i), Repeat("p", 40), std::to_string(i), "c"});
  }
  std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
  std::unique_ptr<jet::Table> table = Open(db.get(), "t");
  ASSERT_TRUE(table->Insert(rows).ok());
  const std::vector<jet::RowId> before = RowIds(*table);
  ASSERT_EQ(before.size(), rows.size());
  // The first page is full; a row of 255 characters no longer fits on it.
  ASSERT_EQ(before.front().page, before[30].page);
  const std::string grown = Repeat("延", 255);
  jet::Status s = table->Update(before[3], "word", grown);
  ASSERT_TRUE(s.ok()) << s.message();
  rows[3][1] = grown;
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows), /*any_order=*/true);
  EXPECT_EQ(jet_test::ReadTable(file, "t"), jet_test::Records(kHeader, rows))
      << "our reader keeps the moved row in its place";
  EXPECT_EQ(RowIds(*table), before);
  EXPECT_TRUE(jet_test::SlotFlags(file, before[3]) & jet::Format::kRowLookupFlag)
      << "the row's slot now points to its copy";

  // A moved row that changes again: in its copy's page, or moved once more.
  for (const std::string& value : {std::string("short"), Repeat("再", 250), std::string()}) {
    s = table->Update(before[3], "word", value);
    ASSERT_TRUE(s.ok()) << s.message();
    rows[3][1] = value;
  }
  s = table->Update(before[3], "note", std::nullopt);
  ASSERT_TRUE(s.ok()) << s.message();
  rows[3][2] = std::nullopt;
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows), /*any_order=*/true);
}

// Access-made files: an update and an insert on a copy.
TEST(WriterRoundTrip, UpdatesAndInsertsInAnAccessMadeFile) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("access.mdb");
  std::filesystem::copy_file(std::string(LEXMIRA_FIXTURES_DIR) + "/delTestV2000.mdb", file);
  std::vector<CsvRecord> expected = jet_test::MdbExport(file, "Table");
  ASSERT_EQ(expected.size(), 3u);
  {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadWrite, &db).ok());
    std::unique_ptr<jet::Table> table = Open(db.get(), "Table");
    const std::vector<jet::RowId> ids = RowIds(*table);
    ASSERT_EQ(ids.size(), 2u);
    jet::Status s = table->Update(ids[1], "b", "geändert");
    ASSERT_TRUE(s.ok()) << s.message();
    s = table->Insert({{"neu", std::nullopt}, {"", "末"}});
    ASSERT_TRUE(s.ok()) << s.message();
  }
  expected[2][1] = "geändert";
  expected.push_back({"neu", std::nullopt});
  expected.push_back({"", "末"});
  ExpectBothReadersSee(file, "Table", expected);
}

TEST(WriterRoundTrip, UpdateOfARowAccessAlreadyMoved) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("overflow.mdb");
  std::filesystem::copy_file(std::string(LEXMIRA_FIXTURES_DIR) + "/overflowTestV2000.mdb", file);
  std::vector<CsvRecord> expected = jet_test::ReadTable(file, "Table1");
  {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadWrite, &db).ok());
    std::unique_ptr<jet::Table> table = Open(db.get(), "Table1");
    const std::vector<jet::RowId> ids = RowIds(*table);
    ASSERT_EQ(ids.size(), 7u);
    // Row 3 lives on another page behind a pointer; it grows further.
    for (size_t i : {2u, 4u}) {
      jet::Status s = table->Update(ids[i], "data10", Repeat("z", 50));
      ASSERT_TRUE(s.ok()) << s.message();
      expected[i + 1][8] = Repeat("z", 50);
    }
  }
  ExpectBothReadersSee(file, "Table1", expected, /*any_order=*/true);
  EXPECT_EQ(jet_test::ReadTable(file, "Table1"), expected);
}

// Rewrites a file's global page map (the first row of page 1, inline) into
// the reference form larger files carry: the row names one map page, added
// at the end of the file, which holds the same bits; pages past the end of
// the file stay free, the map page itself is in use.
void MoveGlobalMapToAMapPage(const std::string& path) {
  const jet::Format& format = jet::Jet4Format();
  std::string bytes = jet_test::FileBytes(path);
  const size_t page_count = bytes.size() / format.page_size;
  auto* map_row_page = reinterpret_cast<uint8_t*>(bytes.data()) + format.page_size;
  const size_t row_start =
      jet::LoadU16(map_row_page + format.data_row_table_offset) & jet::Format::kRowOffsetMask;
  uint8_t* row = map_row_page + row_start;
  ASSERT_EQ(row[0], jet::UsageMap::kInlineMap);
  const size_t inline_bits =
      (format.page_size - row_start - jet::UsageMap::kInlineBitmapOffset) * 8;

  std::vector<uint8_t> map_page(format.page_size, 0);
  jet::SetPageType(jet::PageType::kUsageMap, &map_page);
  uint8_t* bitmap = map_page.data() + jet::UsageMap::kMapPageBitmapOffset;
  for (size_t n = 0; n < jet::UsageMap::PagesPerMapPage(format); ++n) {
    const bool free = n < inline_bits
                          ? (row[jet::UsageMap::kInlineBitmapOffset + n / 8] >> (n % 8)) & 1
                          : n > page_count;  // page_count is the map page itself
    if (free) bitmap[n / 8] |= static_cast<uint8_t>(1u << (n % 8));
  }
  std::fill(row, map_row_page + format.page_size, 0);
  row[0] = jet::UsageMap::kReferenceMap;
  jet::StoreU32(row + jet::UsageMap::kReferencePagesOffset, static_cast<uint32_t>(page_count));
  bytes.append(map_page.begin(), map_page.end());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The first row of page 1 and whether the global map lists page n as free.
bool GlobalMapListsFree(const std::string& path, uint32_t n) {
  const jet::Format& format = jet::Jet4Format();
  const std::string bytes = jet_test::FileBytes(path);
  const auto* page1 = reinterpret_cast<const uint8_t*>(bytes.data()) + format.page_size;
  const size_t row_start =
      jet::LoadU16(page1 + format.data_row_table_offset) & jet::Format::kRowOffsetMask;
  EXPECT_EQ(page1[row_start], jet::UsageMap::kReferenceMap) << "the map keeps its form";
  const uint32_t map_page = jet::LoadU32(page1 + row_start + jet::UsageMap::kReferencePagesOffset);
  const auto* bitmap = reinterpret_cast<const uint8_t*>(bytes.data()) +
                       size_t{map_page} * format.page_size + jet::UsageMap::kMapPageBitmapOffset;
  return (bitmap[n / 8] >> (n % 8)) & 1;
}

// Files whose global page map lives on a map page: updates in place and by
// moving, inserts that take new pages, and a memo whose pages are freed.
TEST(WriterRoundTrip, WritesWhereTheGlobalMapIsInTheReferenceForm) {
  jet_test::ScratchDir dir;
  const std::string file = dir.File("reference_map.mdb");
  std::vector<RowValues> rows;
  for (int i = 1; i <= 3000; ++i) {
    rows.push_back({std::to_string(i), Repeat(std::to_string(i % 10), 200),
                    i % 500 == 0 ? std::optional<std::string>(Repeat("m", 2000)) : std::nullopt,
                    "c"});
  }
  {
    std::unique_ptr<jet::Database> db = NewDatabase(file, "t");
    ASSERT_TRUE(Open(db.get(), "t")->Insert(rows).ok());
  }
  MoveGlobalMapToAMapPage(file);
  const uint32_t pages_before = static_cast<uint32_t>(std::filesystem::file_size(file) / 4096);
  {
    std::unique_ptr<jet::Database> db;
    ASSERT_TRUE(jet::Database::Open(file, jet::OpenMode::kReadWrite, &db).ok());
    std::unique_ptr<jet::Table> table = Open(db.get(), "t");
    const std::vector<jet::RowId> ids = RowIds(*table);
    const struct {
      size_t row, column;
      std::optional<std::string> value;
    } kUpdates[] = {{0, 3, "d"},                   // in place
                    {1, 1, Repeat("長", 255)},     // moves to another page
                    {499, 2, Repeat("n", 3000)}};  // a memo: old pages freed
    for (const auto& update : kUpdates) {
      jet::Status s = table->Update(ids[update.row], kHeader[update.column], update.value);
      ASSERT_TRUE(s.ok()) << s.message();
      rows[update.row][update.column] = update.value;
    }
    std::vector<RowValues> more;
    for (int i = 3001; i <= 3500; ++i)
      more.push_back({std::to_string(i), "more", std::nullopt, "e"});
    jet::Status s = table->Insert(more);
    ASSERT_TRUE(s.ok()) << s.message();
    rows.insert(rows.end(), more.begin(), more.end());
  }
  const uint32_t pages_after = static_cast<uint32_t>(std::filesystem::file_size(file) / 4096);
  ASSERT_GT(pages_after, pages_before);
  for (uint32_t n = pages_before; n < pages_after; ++n) {
    EXPECT_FALSE(GlobalMapListsFree(file, n)) << "new page " << n << " is marked used";
  }
  EXPECT_TRUE(GlobalMapListsFree(file, pages_after)) << "past the end stays free";
  ExpectBothReadersSee(file, "t", jet_test::Records(kHeader, rows), /*any_order=*/true);
}

}  // namespace
