// WriteLock: holds a file's exclusive advisory lock for one write call, so
// that two processes never interleave their page writes.
#pragma once

#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

class WriteLock {
 public:
  // *file must outlive the lock. Check status() before writing.
  explicit WriteLock(PageFile* file) : file_(file), status_(file->Lock()) {}
  ~WriteLock() {
    if (status_.ok()) file_->Unlock();
  }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

  const Status& status() const { return status_; }

 private:
  PageFile* const file_;
  const Status status_;
};

}  // namespace jet
