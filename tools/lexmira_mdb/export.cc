// lexmira-mdb export FILE TABLE: the table as CSV with a header line, the
// way mdb-export prints it: fields separated by commas; text, memo, dates,
// GUIDs and binary in double quotes with inner quotes doubled; numbers bare;
// null as an empty field. Unlike mdb-export, empty text is "" so that it
// stays apart from null.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"

namespace lexmira_mdb {

namespace {

constexpr size_t kFlushSize = 1 << 16;

bool IsQuoted(jet::ColumnType type) {
  switch (type) {
    case jet::ColumnType::kText:
    case jet::ColumnType::kMemo:
    case jet::ColumnType::kDateTime:
    case jet::ColumnType::kGuid:
    case jet::ColumnType::kBinary:
    case jet::ColumnType::kOle:
      return true;
    default:
      return false;
  }
}

void AppendQuoted(const std::string& text, std::string* out) {
  out->push_back('"');
  size_t start = 0;
  for (size_t quote = text.find('"'); quote != std::string::npos;
       quote = text.find('"', quote + 1)) {
    out->append(text, start, quote + 1 - start);
    out->push_back('"');
    start = quote + 1;
  }
  out->append(text, start, std::string::npos);
  out->push_back('"');
}

// Collects output and writes it in large blocks.
class Output {
 public:
  std::string& buffer() { return buffer_; }
  bool FlushIfFull() { return buffer_.size() < kFlushSize || Flush(); }
  bool Flush() {
    const bool ok = std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) == buffer_.size();
    buffer_.clear();
    return ok;
  }

 private:
  std::string buffer_;
};

}  // namespace

int RunExport(const Args& args) {
  std::unique_ptr<jet::Database> db;
  jet::Status s = jet::Database::Open(args[0], jet::OpenMode::kReadOnly, &db);
  if (!s.ok()) return Fail(s.message());
  std::unique_ptr<jet::Table> table;
  s = db->OpenTable(args[1], &table);
  if (!s.ok()) return Fail(s.message());

  const std::vector<jet::ColumnDef>& columns = table->def().columns;
  std::vector<bool> quoted;
  Output out;
  out.buffer().reserve(2 * kFlushSize);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out.buffer().push_back(',');
    out.buffer() += columns[i].name;
    quoted.push_back(IsQuoted(columns[i].type));
  }
  out.buffer().push_back('\n');

  std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
  std::string value;
  while (cursor->Next()) {
    for (size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) out.buffer().push_back(',');
      bool is_null;
      s = cursor->Value(i, &value, &is_null);
      if (!s.ok()) {
        out.Flush();
        return Fail(s.message());
      }
      if (is_null) continue;
      if (quoted[i]) {
        AppendQuoted(value, &out.buffer());
      } else {
        out.buffer() += value;
      }
    }
    out.buffer().push_back('\n');
    if (!out.FlushIfFull()) return Fail("cannot write the table");
  }
  if (!cursor->status().ok()) {
    out.Flush();
    return Fail(cursor->status().message());
  }
  if (!out.Flush() || std::fflush(stdout) != 0) return Fail("cannot write the table");
  return 0;
}

}  // namespace lexmira_mdb
