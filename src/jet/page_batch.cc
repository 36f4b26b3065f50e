#include "jet/page_batch.h"

#include <algorithm>

namespace jet {

PageBatch::PageBatch(PageFile* file, const Format& format)
    : file_(file), format_(format), next_new_page_(file->page_count()) {}

std::string PageBatch::Where(uint32_t page) const {
  return file_->path() + ": page " + std::to_string(page);
}

Status PageBatch::Read(uint32_t n, const std::vector<uint8_t>** page) {
  if (auto it = staged_.find(n); it != staged_.end()) {
    *page = &it->second.bytes;
    return Status::OK();
  }
  auto it = unchanged_.find(n);
  if (it == unchanged_.end()) {
    std::vector<uint8_t> bytes;
    if (Status s = file_->ReadPage(n, &bytes); !s.ok()) return s;
    it = unchanged_.emplace(n, std::move(bytes)).first;
  }
  *page = &it->second;
  return Status::OK();
}

Status PageBatch::HasPage(uint32_t n, bool* exists) {
  *exists = staged_.count(n) != 0;
  return *exists ? Status::OK() : file_->HasPage(n, exists);
}

Status PageBatch::Edit(uint32_t n, WritePhase phase, std::vector<uint8_t>** page) {
  auto it = staged_.find(n);
  if (it == staged_.end()) {
    Staged staged{{}, phase};
    if (auto cached = unchanged_.find(n); cached != unchanged_.end()) {
      staged.bytes = std::move(cached->second);
      unchanged_.erase(cached);
    } else if (Status s = file_->ReadPage(n, &staged.bytes); !s.ok()) {
      return s;
    }
    it = staged_.emplace(n, std::move(staged)).first;
  } else {
    it->second.phase = std::min(it->second.phase, phase);
  }
  *page = &it->second.bytes;
  return Status::OK();
}

void PageBatch::OfferFreePages(std::vector<uint32_t> pages) {
  offered_.assign(pages.rbegin(), pages.rend());
}

uint32_t PageBatch::Allocate(std::vector<uint8_t>** page) {
  uint32_t n;
  if (offered_.empty()) {
    n = next_new_page_++;
  } else {
    n = offered_.back();
    offered_.pop_back();
    unchanged_.erase(n);
  }
  allocated_.push_back(n);
  Staged& staged = staged_[n];
  staged.bytes.assign(format_.page_size, 0);
  staged.phase = WritePhase::kBeforeCommit;
  *page = &staged.bytes;
  return n;
}

Status PageBatch::Commit() {
  for (WritePhase phase :
       {WritePhase::kBeforeCommit, WritePhase::kCommit, WritePhase::kAfterCommit}) {
    bool wrote = false;
    // Ascending page order: new pages extend the file one after another.
    for (const auto& [n, staged] : staged_) {
      if (staged.phase != phase) continue;
      if (Status s = file_->WritePage(n, staged.bytes); !s.ok()) return s;
      wrote = true;
    }
    if (wrote) {
      if (Status s = file_->Sync(); !s.ok()) return s;
    }
  }
  staged_.clear();
  unchanged_.clear();
  allocated_.clear();
  offered_.clear();
  next_new_page_ = file_->page_count();
  return Status::OK();
}

}  // namespace jet
