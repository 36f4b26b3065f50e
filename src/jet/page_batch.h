// PageBatch: the pages one write call changes, held in memory and written in
// an order that keeps the file sound if the process or machine stops at any
// point: first every new page and every page no reader reaches yet, then a
// sync, then the one write that makes the change visible (the commit), a
// sync, then the bookkeeping readers do not need to find rows (row counts,
// free-space maps), and a last sync.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/page_source.h"
#include "jet/status.h"

namespace jet {

enum class WritePhase { kBeforeCommit, kCommit, kAfterCommit };

class PageBatch : public PageSource {
 public:
  // *file must outlive the batch; the caller holds its lock.
  PageBatch(PageFile* file, const Format& format);

  const Format& format() const { return format_; }
  PageFile& file() { return *file_; }
  const PageFile& file() const override { return *file_; }
  std::string Where(uint32_t page) const;

  // The current content of page n, staged or as the file holds it, to read.
  Status Read(uint32_t n, const std::vector<uint8_t>** page) override;
  // Whether page n exists in the file or among the pages allocated.
  Status HasPage(uint32_t n, bool* exists) override;
  // The current content of page n (staged or read from the file), to change
  // in place; it is written in `phase` (the earliest phase asked wins).
  Status Edit(uint32_t n, WritePhase phase, std::vector<uint8_t>** page);
  // A page for new content, zero-filled, written before the commit: one of
  // the offered free pages while there are any, else a new page past the end
  // of the file.
  uint32_t Allocate(std::vector<uint8_t>** page);
  // Free pages of the file (nothing points to them) for Allocate to take
  // first, in this order.
  void OfferFreePages(std::vector<uint32_t> pages);
  // Pages allocated by this batch, in order.
  const std::vector<uint32_t>& allocated() const { return allocated_; }

  // Writes and syncs everything as described above.
  Status Commit();

 private:
  struct Staged {
    std::vector<uint8_t> bytes;
    WritePhase phase;
  };

  PageFile* const file_;
  const Format& format_;
  uint32_t next_new_page_;
  std::vector<uint32_t> offered_;  // free pages not yet taken, last one first
  std::map<uint32_t, Staged> staged_;
  std::map<uint32_t, std::vector<uint8_t>> unchanged_;  // pages read, not staged
  std::vector<uint32_t> allocated_;
};

}  // namespace jet
