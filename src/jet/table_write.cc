// Table::Insert and Table::Update: the writing half of Table.
#include <algorithm>

#include "jet/database.h"
#include "jet/long_value_writer.h"
#include "jet/page_allocator.h"
#include "jet/page_batch.h"
#include "jet/row_encoder.h"
#include "jet/row_writer.h"
#include "jet/table.h"
#include "jet/tdef_reader.h"
#include "jet/value_encoder.h"
#include "jet/write_lock.h"

namespace jet {

namespace {

Status CheckWritable(const Database& db) {
  if (db.format().version != JetVersion::kJet4) {
    return Status::NotSupported(db.path() + ": updating Jet 3 (Access 97) files is not supported");
  }
  return Status::OK();
}

// Makes the stored form of one value given as text.
Status ToStoredValue(const ColumnDef& column, const std::optional<std::string>& text,
                     LongValueWriter* long_values, StoredValue* stored) {
  if (!text) {
    stored->reset();
    return Status::OK();
  }
  std::string bytes;
  if (column.type == ColumnType::kMemo) {
    std::string encoded;
    size_t characters = 0;
    if (Status s = EncodeColumnText(column, *text, &encoded, &characters); !s.ok()) return s;
    // Only short memos may use the compressed form.
    constexpr size_t kMaxCompressedMemo = 1024;
    if (characters > kMaxCompressedMemo) {
      ColumnDef plain = column;
      plain.misc_flags &= static_cast<uint8_t>(~kColumnCompressedUnicode);
      if (Status s = EncodeColumnText(plain, *text, &encoded, &characters); !s.ok()) return s;
    }
    if (Status s = long_values->Write(encoded, &bytes); !s.ok()) return s;
  } else if (column.type == ColumnType::kOle) {
    if (Status s = long_values->Write(*text, &bytes); !s.ok()) return s;
  } else if (Status s = EncodeValue(column, *text, &bytes); !s.ok()) {
    return s;
  }
  *stored = std::move(bytes);
  return Status::OK();
}

}  // namespace

Status Table::Insert(const std::vector<RowValues>& rows) {
  if (Status s = CheckWritable(*db_); !s.ok()) return s;
  if (!def_.real_indexes.empty()) {
    return Status::NotSupported(db_->path() + ": table \"" + def_.name +
                                "\" has an index, which this engine does not maintain; "
                                "no rows were added");
  }
  if (rows.empty()) return Status::OK();

  PageFile& file = db_->file();
  WriteLock lock(&file);
  if (!lock.status().ok()) return lock.status();
  // Another process may have written since the definition was read.
  TableDef current;
  if (Status s = ReadTableDef(file, db_->format(), def_.definition_page, &current); !s.ok()) {
    return s;
  }
  current.name = def_.name;

  PageBatch batch(&file, db_->format());
  LongValueWriter long_values(&batch);
  std::vector<std::string> encoded(rows.size());
  std::vector<StoredValue> stored(current.columns.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() != current.columns.size()) {
      return Status::InvalidArgument(db_->path() + ": table \"" + def_.name + "\" has " +
                                     std::to_string(current.columns.size()) + " columns, the row " +
                                     std::to_string(rows[r].size()) + " values");
    }
    for (size_t c = 0; c < current.columns.size(); ++c) {
      if (Status s = ToStoredValue(current.columns[c], rows[r][c], &long_values, &stored[c]);
          !s.ok()) {
        return Status::InvalidArgument(db_->path() + ": table \"" + def_.name +
                                       "\": " + s.message());
      }
    }
    if (Status s = EncodeRow(current, stored, db_->format().page_size, &encoded[r]); !s.ok()) {
      return Status::InvalidArgument(db_->path() + ": " + s.message());
    }
  }
  if (Status s = AppendRows(&batch, &current, encoded, WritePhase::kCommit); !s.ok()) return s;
  if (Status s = MarkAllocatedPagesUsed(&batch); !s.ok()) return s;
  if (Status s = batch.Commit(); !s.ok()) return s;
  def_ = std::move(current);
  return Status::OK();
}

Status Table::Update(RowId row, const std::string& column,
                     const std::optional<std::string>& value) {
  if (Status s = CheckWritable(*db_); !s.ok()) return s;
  const ColumnDef* target = def_.FindColumn(column);
  if (target == nullptr) {
    return Status::NotFound(db_->path() + ": table \"" + def_.name + "\" has no column \"" +
                            column + "\"");
  }
  for (const IndexDef& index : def_.real_indexes) {
    const auto& numbers = index.column_numbers;
    if (std::find(numbers.begin(), numbers.end(), target->number) != numbers.end()) {
      return Status::NotSupported(db_->path() + ": column \"" + target->name + "\" of table \"" +
                                  def_.name +
                                  "\" is part of an index, which this engine does not maintain; "
                                  "nothing was changed");
    }
  }

  PageFile& file = db_->file();
  WriteLock lock(&file);
  if (!lock.status().ok()) return lock.status();
  PageBatch batch(&file, db_->format());
  LongValueWriter long_values(&batch);
  const size_t index = static_cast<size_t>(target - def_.columns.data());
  StoredValue stored;
  if (Status s = ToStoredValue(*target, value, &long_values, &stored); !s.ok()) {
    return Status::InvalidArgument(db_->path() + ": table \"" + def_.name + "\": " + s.message());
  }
  std::vector<StoredValue> values;
  if (Status s = LoadStoredRow(&batch, def_, row, &values); !s.ok()) return s;
  values[index] = std::move(stored);
  std::string encoded;
  if (Status s = EncodeRow(def_, values, db_->format().page_size, &encoded); !s.ok()) {
    return Status::InvalidArgument(db_->path() + ": " + s.message());
  }
  if (Status s = ReplaceRow(&batch, def_, row, encoded); !s.ok()) return s;
  if (Status s = MarkAllocatedPagesUsed(&batch); !s.ok()) return s;
  return batch.Commit();
}

}  // namespace jet
