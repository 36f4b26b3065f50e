// UsageMap: a usage map row, which lists pages by setting their bits. The
// inline form (type 0) holds a start page and the bitmap; the reference form
// (type 1) holds the numbers of map pages, each the bitmap of one range of
// the file (0 where a range has none). A table's maps list the pages it owns
// and those with room; the global map on page 1 lists the free pages. One
// type reads and edits both forms, for every map; map pages are read only
// when a walk or an edit reaches them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/page_batch.h"
#include "jet/page_source.h"
#include "jet/status.h"

namespace jet {

class UsageMap {
 public:
  static constexpr uint8_t kInlineMap = 0x00;
  static constexpr uint8_t kReferenceMap = 0x01;
  static constexpr size_t kInlineStartPageOffset = 1;  // then the bitmap
  static constexpr size_t kInlineBitmapOffset = 5;
  static constexpr size_t kReferencePagesOffset = 1;  // four-byte map page numbers
  static constexpr size_t kMapPagePointerSize = 4;
  static constexpr size_t kMapPageBitmapOffset = 4;  // after a map page's header

  // What a page the map does not reach counts as: not listed (a table's
  // maps), or listed (the global map: pages past its bitmap are free).
  enum class Unmapped { kOff, kOn };

  // Pages one map page of `format` covers.
  static uint32_t PagesPerMapPage(const Format& format) {
    return (format.page_size - kMapPageBitmapOffset) * 8;
  }
  // The row of a new, empty table map.
  static std::string EmptyRow(const Format& format);
  // The inline row of the global map of a new file of `page_count` pages,
  // all in use.
  static std::string NewGlobalRow(const Format& format, uint32_t page_count);

  // Reads the map row that `row_pointer` (page << 8 | slot) names.
  static Status Load(PageSource* pages, const Format& format, uint32_t row_pointer,
                     Unmapped unmapped, UsageMap* map);

  // A table map's pages, ascending.
  static Status ListPages(PageSource* pages, const Format& format, uint32_t row_pointer,
                          std::vector<uint32_t>* listed);
  // Lists (on) or unlists `pages` in a table map; see Set.
  static Status SetPages(PageBatch* batch, uint32_t row_pointer, const std::vector<uint32_t>& pages,
                         bool on, WritePhase phase);

  UsageMap() = default;

  uint8_t form() const { return row_.empty() ? kInlineMap : static_cast<uint8_t>(row_[0]); }

  // Sets *page to the first listed page at or after `from` and *found to
  // true, or *found to false when there is none. A listed page past the end
  // of the file is Corruption.
  Status NextPage(PageSource* pages, uint32_t from, uint32_t* page, bool* found);
  // Every listed page below `end`, ascending.
  Status PagesBelow(PageSource* pages, uint32_t end, std::vector<uint32_t>* listed);

  // Lists (on) or unlists `pages` and writes the row, and each map page it
  // changes, through *batch in `phase`. An inline map that cannot reach a
  // page grows where the row has room (the global map) or turns into the
  // reference form; new map pages are written before the commit.
  Status Set(PageBatch* batch, const std::vector<uint32_t>& pages, bool on, WritePhase phase);

 private:
  Status NextListed(PageSource* pages, uint32_t from, uint32_t* page, bool* found) const;
  Status MapPage(PageSource* pages, uint32_t n, const std::vector<uint8_t>** page) const;
  Status SetInline(PageBatch* batch, const std::vector<uint32_t>& pages, bool on, WritePhase phase);
  // `row_changed`: the row must be written even if no map page is added.
  Status SetReference(PageBatch* batch, const std::vector<uint32_t>& pages, bool on,
                      WritePhase phase, bool row_changed);
  Status ConvertToReference(PageBatch* batch);
  // Starts a map page whose bits say what an unmapped page counts as.
  void InitMapPage(std::vector<uint8_t>* page) const;
  // Writes row_ into its slot; *fitted false when the page has no room.
  Status StoreRow(PageBatch* batch, WritePhase phase, bool* fitted) const;
  std::string Where() const;

  const Format* format_ = nullptr;
  std::string path_;
  uint32_t row_page_ = 0;
  uint16_t row_slot_ = 0;
  Unmapped unmapped_ = Unmapped::kOff;
  std::string row_;
};

}  // namespace jet
