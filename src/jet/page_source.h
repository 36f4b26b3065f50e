// PageSource: where a reader gets pages from: the file itself, or a write's
// PageBatch, which shows the pages it has changed but not yet written.
#pragma once

#include <cstdint>
#include <vector>

#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

class PageSource {
 public:
  virtual ~PageSource() = default;
  // The bytes of page n, valid until the next call.
  virtual Status Read(uint32_t n, const std::vector<uint8_t>** page) = 0;
  // Whether page n exists (see PageFile::HasPage).
  virtual Status HasPage(uint32_t n, bool* exists) = 0;
  virtual const PageFile& file() const = 0;
};

// The pages of a file, read as asked; the page read last is kept, so that
// asking for it again reads nothing.
class FilePageSource : public PageSource {
 public:
  // *file must outlive the source.
  explicit FilePageSource(const PageFile& file) : file_(file) {}

  Status Read(uint32_t n, const std::vector<uint8_t>** page) override {
    if (page_.empty() || n != page_number_) {
      page_.clear();
      if (Status s = file_.ReadPage(n, &page_); !s.ok()) {
        page_.clear();
        return s;
      }
      page_number_ = n;
    }
    *page = &page_;
    return Status::OK();
  }
  Status HasPage(uint32_t n, bool* exists) override { return file_.HasPage(n, exists); }
  const PageFile& file() const override { return file_; }

 private:
  const PageFile& file_;
  std::vector<uint8_t> page_;
  uint32_t page_number_ = 0;
};

}  // namespace jet
