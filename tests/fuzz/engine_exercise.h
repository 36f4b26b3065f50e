// What the fuzzer does with each input, shared with the ordinary tests that
// replay the inputs it kept: read every value of every table, and make the
// writes a user's program makes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "jet/cursor.h"
#include "jet/database.h"
#include "jet/table.h"

namespace engine_exercise {

// Reads every value of every table; returns the first error met.
inline jet::Status ReadEverything(jet::Database* db) {
  std::vector<std::string> names;
  if (jet::Status s = db->ListTables(&names); !s.ok()) return s;
  for (const std::string& name : names) {
    std::unique_ptr<jet::Table> table;
    if (jet::Status s = db->OpenTable(name, &table); !s.ok()) return s;
    std::unique_ptr<jet::Cursor> cursor = table->NewCursor();
    std::string text;
    bool is_null;
    while (cursor->Next()) {
      for (size_t i = 0; i < table->def().columns.size(); ++i) {
        if (jet::Status s = cursor->Value(i, &text, &is_null); !s.ok()) return s;
      }
    }
    if (!cursor->status().ok()) return cursor->status();
  }
  return jet::Status::OK();
}

// Sets the first column of each table's first row and adds a row; returns
// the first error met.
inline jet::Status WriteEachTable(jet::Database* db) {
  std::vector<std::string> names;
  if (jet::Status s = db->ListTables(&names); !s.ok()) return s;
  jet::Status first_error;
  for (const std::string& name : names) {
    std::unique_ptr<jet::Table> table;
    jet::Status s = db->OpenTable(name, &table);
    if (s.ok() && !table->def().columns.empty()) {
      s = table->SetInFirstRow(table->def().columns[0].name, "1");
      jet::Status inserted =
          table->Insert({jet::RowValues(table->def().columns.size(), std::string("2"))});
      if (s.ok()) s = inserted;
    }
    if (first_error.ok()) first_error = s;
  }
  return first_error;
}

}  // namespace engine_exercise
