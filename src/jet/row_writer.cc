#include "jet/row_writer.h"

#include <algorithm>
#include <set>

#include "jet/data_page.h"
#include "jet/little_endian.h"
#include "jet/usage_map.h"

namespace jet {

namespace {

// A page with less room than this is left out of the free-space map.
constexpr size_t kMinListedFreeSpace = 64;

bool IsPageOfTable(const std::vector<uint8_t>& page, uint32_t definition_page) {
  return IsPageType(page, PageType::kData) &&
         LoadU32(page.data() + Format::kDataOwnerOffset) == definition_page;
}

// A page of the table with room for `size` more bytes, from the pages the
// maps list last; 0 when there is none.
Status FindPageWithRoom(PageBatch* batch, const TableDef& def, size_t size,
                        const std::set<uint32_t>& excluded, uint32_t* found) {
  *found = 0;
  std::vector<uint32_t> free_pages, used_pages;
  if (Status s = UsageMap::ListPages(batch, batch->format(), def.free_pages_pointer, &free_pages);
      !s.ok()) {
    return s;
  }
  if (Status s = UsageMap::ListPages(batch, batch->format(), def.used_pages_pointer, &used_pages);
      !s.ok()) {
    return s;
  }
  std::vector<uint32_t> candidates;
  if (!free_pages.empty()) candidates.push_back(free_pages.back());
  if (!used_pages.empty()) candidates.push_back(used_pages.back());
  for (uint32_t n : candidates) {
    if (excluded.count(n) || n >= batch->file().page_count() + batch->allocated().size()) continue;
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(n, &page); !s.ok()) return s;
    if (!IsPageOfTable(*page, def.definition_page)) continue;
    std::vector<uint8_t> copy = *page;
    if (DataPage(batch->format(), &copy, batch->Where(n)).Fits(size)) {
      *found = n;
      return Status::OK();
    }
  }
  return Status::OK();
}

Status UpdateFreeSpaceMap(PageBatch* batch, const TableDef& def, const std::set<uint32_t>& pages) {
  std::vector<uint32_t> roomy, full;
  for (uint32_t n : pages) {
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(n, &page); !s.ok()) return s;
    std::vector<uint8_t> copy = *page;
    const size_t free = DataPage(batch->format(), &copy, batch->Where(n)).free_space();
    (free >= kMinListedFreeSpace ? roomy : full).push_back(n);
  }
  if (Status s =
          UsageMap::SetPages(batch, def.free_pages_pointer, roomy, true, WritePhase::kAfterCommit);
      !s.ok()) {
    return s;
  }
  return UsageMap::SetPages(batch, def.free_pages_pointer, full, false, WritePhase::kAfterCommit);
}

uint32_t NewDataPage(PageBatch* batch, const TableDef& def) {
  std::vector<uint8_t>* page;
  const uint32_t n = batch->Allocate(&page);
  DataPage::Init(batch->format(), def.definition_page, page);
  return n;
}

struct RowLocation {
  uint32_t page;
  uint16_t slot;
};

// Where the row named by `id` lives now: its own slot, or the slot its
// lookup pointer names.
Status Locate(PageBatch* batch, const TableDef& def, RowId id, RowLocation* at) {
  const std::vector<uint8_t>* page;
  if (Status s = batch->Read(id.page, &page); !s.ok()) return s;
  const std::string where = batch->Where(id.page);
  if (!IsPageOfTable(*page, def.definition_page)) {
    return Status::NotFound(where + ": not a data page of table \"" + def.name + "\"");
  }
  std::vector<uint8_t> copy = *page;
  DataPage data(batch->format(), &copy, where);
  if (id.slot >= data.row_count()) {
    return Status::NotFound(where + ": no row " + std::to_string(id.slot));
  }
  const uint16_t flags = data.slot_flags(id.slot);
  // Deleted rows carry both flags; the copy of a moved row only the deleted
  // one, and is reached through its pointer, not by its own id.
  if (flags & Format::kRowDeletedFlag) {
    return Status::NotFound(where + ": row " + std::to_string(id.slot) + " was deleted");
  }
  if (flags & Format::kRowLookupFlag) {
    std::string_view pointer;
    if (Status s = data.Row(id.slot, &pointer); !s.ok()) return s;
    if (pointer.size() < Format::kRowPointerSize) {
      return Status::Corruption(where + ": row " + std::to_string(id.slot) +
                                " has a broken pointer");
    }
    const uint32_t target = LoadU32(reinterpret_cast<const uint8_t*>(pointer.data()));
    *at = {RowPointerPage(target), RowPointerSlot(target)};
    return Status::OK();
  }
  *at = {id.page, id.slot};
  return Status::OK();
}

Status DeleteRow(PageBatch* batch, RowLocation at, WritePhase phase) {
  std::vector<uint8_t>* page;
  if (Status s = batch->Edit(at.page, phase, &page); !s.ok()) return s;
  return DataPage(batch->format(), page, batch->Where(at.page)).Delete(at.slot);
}

}  // namespace

Status AppendRows(PageBatch* batch, TableDef* def, const std::vector<std::string>& rows,
                  WritePhase visible_phase) {
  if (rows.empty()) return Status::OK();
  const Format& format = batch->format();
  uint32_t current = 0;
  if (Status s = FindPageWithRoom(batch, *def, rows.front().size(), {}, &current); !s.ok())
    return s;
  std::vector<uint32_t> new_pages;
  std::set<uint32_t> touched;
  std::vector<uint8_t>* page = nullptr;
  if (current != 0) {
    if (Status s = batch->Edit(current, visible_phase, &page); !s.ok()) return s;
  }
  for (const std::string& row : rows) {
    if (page == nullptr || !DataPage(format, page, batch->Where(current)).Fits(row.size())) {
      current = NewDataPage(batch, *def);
      new_pages.push_back(current);
      if (Status s = batch->Edit(current, WritePhase::kBeforeCommit, &page); !s.ok()) return s;
    }
    DataPage(format, page, batch->Where(current)).Append(row, 0);
    touched.insert(current);
  }
  if (Status s = UsageMap::SetPages(batch, def->used_pages_pointer, new_pages, true, visible_phase);
      !s.ok()) {
    return s;
  }
  if (Status s = UpdateFreeSpaceMap(batch, *def, touched); !s.ok()) return s;

  std::vector<uint8_t>* definition;
  if (Status s = batch->Edit(def->definition_page, WritePhase::kAfterCommit, &definition);
      !s.ok()) {
    return s;
  }
  def->row_count += static_cast<uint32_t>(rows.size());
  StoreU32(definition->data() + format.tdef_row_count_offset, def->row_count);
  return Status::OK();
}

Status LoadStoredRow(PageBatch* batch, const TableDef& def, RowId id,
                     std::vector<StoredValue>* values) {
  RowLocation at;
  if (Status s = Locate(batch, def, id, &at); !s.ok()) return s;
  const std::vector<uint8_t>* page;
  if (Status s = batch->Read(at.page, &page); !s.ok()) return s;
  std::vector<uint8_t> copy = *page;
  DataPage data(batch->format(), &copy, batch->Where(at.page));
  std::string_view row;
  if (Status s = data.Row(at.slot, &row); !s.ok()) return s;
  if (Status s = DecodeStoredRow(def, row, values); !s.ok()) {
    return s.WithContext(batch->Where(at.page));
  }
  return Status::OK();
}

Status ReplaceRow(PageBatch* batch, const TableDef& def, RowId id, const std::string& row) {
  const Format& format = batch->format();
  RowLocation at;
  if (Status s = Locate(batch, def, id, &at); !s.ok()) return s;

  // In place, when the row's current page can still hold it.
  const std::vector<uint8_t>* current;
  if (Status s = batch->Read(at.page, &current); !s.ok()) return s;
  std::vector<uint8_t> rebuilt = *current;
  DataPage data(format, &rebuilt, batch->Where(at.page));
  bool fitted = false;
  if (Status s = data.Replace(at.slot, row, data.slot_flags(at.slot), &fitted); !s.ok()) return s;
  if (fitted) {
    std::vector<uint8_t>* page;
    if (Status s = batch->Edit(at.page, WritePhase::kCommit, &page); !s.ok()) return s;
    *page = std::move(rebuilt);
    return UpdateFreeSpaceMap(batch, def, {at.page});
  }

  // Moved: the copy first, hidden from scans, then the pointer in the row's
  // own slot.
  uint32_t target = 0;
  if (Status s = FindPageWithRoom(batch, def, row.size(), {at.page}, &target); !s.ok()) return s;
  std::vector<uint8_t>* page;
  if (target == 0) {
    target = NewDataPage(batch, def);
    if (Status s = UsageMap::SetPages(batch, def.used_pages_pointer, {target}, true,
                                      WritePhase::kBeforeCommit);
        !s.ok()) {
      return s;
    }
  }
  if (Status s = batch->Edit(target, WritePhase::kBeforeCommit, &page); !s.ok()) return s;
  DataPage moved_to(format, page, batch->Where(target));
  if (!moved_to.Fits(row.size())) {
    return Status::InvalidArgument(batch->Where(target) + ": the row does not fit on a page");
  }
  const uint16_t slot = moved_to.Append(row, kMovedRowFlags);

  std::string pointer(Format::kRowPointerSize, '\0');
  StoreU32(reinterpret_cast<uint8_t*>(pointer.data()), MakeRowPointer(target, slot));
  if (Status s = batch->Edit(id.page, WritePhase::kCommit, &page); !s.ok()) return s;
  DataPage home(format, page, batch->Where(id.page));
  if (Status s = home.Replace(id.slot, pointer, Format::kRowLookupFlag, &fitted); !s.ok()) return s;
  if (!fitted) {
    return Status::Corruption(batch->Where(id.page) + ": no room left for a row pointer");
  }
  std::set<uint32_t> changed = {id.page, target};
  if (at.page != id.page || at.slot != id.slot) {
    // The copy an earlier move made: nothing names it once the pointer moved.
    if (Status s = DeleteRow(batch, at, WritePhase::kAfterCommit); !s.ok()) return s;
    changed.insert(at.page);
  }
  return UpdateFreeSpaceMap(batch, def, changed);
}

Status DeleteOrphanCopies(PageBatch* batch, const TableDef& def) {
  std::vector<uint32_t> pages;
  if (Status s = UsageMap::ListPages(batch, batch->format(), def.used_pages_pointer, &pages);
      !s.ok()) {
    return s;
  }
  std::set<uint32_t> named;  // row pointers the table's moved rows hold
  std::vector<RowLocation> copies;
  for (uint32_t n : pages) {
    const std::vector<uint8_t>* page;
    if (Status s = batch->Read(n, &page); !s.ok()) return s;
    if (!IsPageOfTable(*page, def.definition_page)) continue;
    std::vector<uint8_t> copy = *page;
    DataPage data(batch->format(), &copy, batch->Where(n));
    for (uint16_t slot = 0; slot < data.row_count(); ++slot) {
      const uint16_t flags = data.slot_flags(slot);
      if (flags == kMovedRowFlags) copies.push_back({n, slot});
      if (flags != Format::kRowLookupFlag) continue;
      std::string_view pointer;
      if (Status s = data.Row(slot, &pointer); !s.ok()) return s;
      if (pointer.size() >= Format::kRowPointerSize) {
        named.insert(LoadU32(reinterpret_cast<const uint8_t*>(pointer.data())));
      }
    }
  }
  std::set<uint32_t> changed;
  for (const RowLocation& at : copies) {
    if (named.count(MakeRowPointer(at.page, at.slot))) continue;
    if (Status s = DeleteRow(batch, at, WritePhase::kBeforeCommit); !s.ok()) return s;
    changed.insert(at.page);
  }
  return UpdateFreeSpaceMap(batch, def, changed);
}

}  // namespace jet
