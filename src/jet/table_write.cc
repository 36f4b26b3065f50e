// Table::Insert and Table::Update: the writing half of Table.
#include <algorithm>

#include "jet/database.h"
#include "jet/long_value.h"
#include "jet/long_value_writer.h"
#include "jet/page_allocator.h"
#include "jet/page_batch.h"
#include "jet/row_encoder.h"
#include "jet/row_writer.h"
#include "jet/table.h"
#include "jet/table_cursor.h"
#include "jet/table_def_writer.h"
#include "jet/tdef_reader.h"
#include "jet/value_encoder.h"
#include "jet/write_lock.h"

namespace jet {

namespace {

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

Status CheckNoIndex(const Database& db, const TableDef& def) {
  if (def.real_indexes.empty()) return Status::OK();
  return Status::NotSupported(db.path() + ": table \"" + def.name +
                              "\" has an index, which this engine does not maintain; "
                              "no rows were added");
}

}  // namespace

Status Table::ReadCurrentDef(TableDef* def) const {
  // Another process may have written since the definition was read.
  if (Status s = ReadTableDef(db_->file(), db_->format(), def_.definition_page, def); !s.ok()) {
    return s;
  }
  def->name = def_.name;
  return Status::OK();
}

Status Table::Insert(const std::vector<RowValues>& rows) {
  if (Status s = db_->CheckWritable(); !s.ok()) return s;
  if (Status s = CheckNoIndex(*db_, def_); !s.ok()) return s;
  if (rows.empty()) return Status::OK();

  WriteLock lock(&db_->file());
  if (!lock.status().ok()) return lock.status();
  TableDef current;
  if (Status s = ReadCurrentDef(&current); !s.ok()) return s;
  return InsertLocked(&current, rows);
}

Status Table::InsertLocked(TableDef* current, const std::vector<RowValues>& rows) {
  PageBatch batch(&db_->file(), db_->format());
  if (Status s = OfferFreedPages(&batch); !s.ok()) return s;
  if (Status s = DeleteOrphanCopies(&batch, *current); !s.ok()) return s;
  LongValueWriter long_values(&batch);
  std::vector<std::string> encoded(rows.size());
  std::vector<StoredValue> stored(current->columns.size());
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].size() != current->columns.size()) {
      return Status::InvalidArgument(db_->path() + ": table \"" + def_.name + "\" has " +
                                     std::to_string(current->columns.size()) +
                                     " columns, the row " + std::to_string(rows[r].size()) +
                                     " values");
    }
    for (size_t c = 0; c < current->columns.size(); ++c) {
      if (Status s = ToStoredValue(current->columns[c], rows[r][c], &long_values, &stored[c]);
          !s.ok()) {
        return s.WithContext(db_->path() + ": table \"" + def_.name + "\"");
      }
    }
    if (Status s = EncodeRow(*current, stored, db_->format().page_size, &encoded[r]); !s.ok()) {
      return s.WithContext(db_->path());
    }
  }
  if (Status s = AppendRows(&batch, current, encoded, WritePhase::kCommit); !s.ok()) return s;
  if (Status s = MarkAllocatedPagesUsed(&batch); !s.ok()) return s;
  if (Status s = batch.Commit(); !s.ok()) return s;
  def_ = std::move(*current);
  return Status::OK();
}

size_t Table::ColumnIndex(const ColumnDef& column) const {
  return static_cast<size_t>(&column - def_.columns.data());
}

Status Table::CheckUpdatable(const std::string& column, const ColumnDef** target) const {
  if (Status s = db_->CheckWritable(); !s.ok()) return s;
  *target = def_.FindColumn(column);
  if (*target == nullptr) {
    return Status::NotFound(db_->path() + ": table \"" + def_.name + "\" has no column \"" +
                            column + "\"");
  }
  for (const IndexDef& index : def_.real_indexes) {
    const auto& numbers = index.column_numbers;
    if (std::find(numbers.begin(), numbers.end(), (*target)->number) != numbers.end()) {
      return Status::NotSupported(db_->path() + ": column \"" + (*target)->name + "\" of table \"" +
                                  def_.name +
                                  "\" is part of an index, which this engine does not maintain; "
                                  "nothing was changed");
    }
  }
  return Status::OK();
}

Status Table::Update(RowId row, const std::string& column,
                     const std::optional<std::string>& value) {
  const ColumnDef* target;
  if (Status s = CheckUpdatable(column, &target); !s.ok()) return s;
  WriteLock lock(&db_->file());
  if (!lock.status().ok()) return lock.status();
  return UpdateLocked(def_, row, ColumnIndex(*target), value);
}

Status Table::SetInFirstRow(const std::string& column, const std::optional<std::string>& value) {
  const ColumnDef* target;
  if (Status s = CheckUpdatable(column, &target); !s.ok()) return s;
  WriteLock lock(&db_->file());
  if (!lock.status().ok()) return lock.status();
  TableDef current;
  if (Status s = ReadCurrentDef(&current); !s.ok()) return s;
  TableCursor cursor(db_->file(), db_->format(), current);
  if (cursor.Next()) return UpdateLocked(current, cursor.row_id(), ColumnIndex(*target), value);
  if (!cursor.status().ok()) return cursor.status();
  if (Status s = CheckNoIndex(*db_, current); !s.ok()) return s;
  RowValues row(current.columns.size());
  row[ColumnIndex(*target)] = value;
  return InsertLocked(&current, {row});
}

Status Table::UpdateLocked(const TableDef& def, RowId row, size_t column,
                           const std::optional<std::string>& value) {
  PageBatch batch(&db_->file(), db_->format());
  if (Status s = OfferFreedPages(&batch); !s.ok()) return s;
  if (Status s = DeleteOrphanCopies(&batch, def); !s.ok()) return s;
  LongValueWriter long_values(&batch);
  StoredValue stored;
  if (Status s = ToStoredValue(def.columns[column], value, &long_values, &stored); !s.ok()) {
    return s.WithContext(db_->path() + ": table \"" + def_.name + "\"");
  }
  std::vector<StoredValue> values;
  if (Status s = LoadStoredRow(&batch, def, row, &values); !s.ok()) return s;
  std::vector<uint32_t> replaced_rows;  // where the old long value lies
  if (IsLongValueType(def.columns[column].type) && values[column]) {
    const std::string& field = *values[column];
    std::string old_value;
    LongValueReader reader(db_->file(), db_->format());
    if (Status s = reader.Read(reinterpret_cast<const uint8_t*>(field.data()), field.size(),
                               &old_value, &replaced_rows);
        !s.ok()) {
      return s;
    }
  }
  values[column] = std::move(stored);
  std::string encoded;
  if (Status s = EncodeRow(def, values, db_->format().page_size, &encoded); !s.ok()) {
    return s.WithContext(db_->path());
  }
  if (Status s = ReplaceRow(&batch, def, row, encoded); !s.ok()) return s;
  if (Status s = MarkAllocatedPagesUsed(&batch); !s.ok()) return s;
  if (Status s = batch.Commit(); !s.ok()) return s;
  if (replaced_rows.empty()) return Status::OK();
  // Only now does nothing point to the old value; a crash before this batch
  // is on disk leaves its pages unused but never freed while in use.
  PageBatch release(&db_->file(), db_->format());
  Status s = FreeLongValueRows(&release, replaced_rows);
  if (s.ok()) s = release.Commit();
  return s.WithContext("the new value is saved, but the old one's pages were not freed");
}

}  // namespace jet
