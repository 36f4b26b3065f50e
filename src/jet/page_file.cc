#include "jet/page_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace jet {

namespace {

Status ErrnoStatus(const std::string& path, const char* action) {
  return Status::IOError(path + ": cannot " + action + ": " + std::strerror(errno));
}

// Said the same whether opening for update failed on a directory or opening
// to read found one.
Status NotARegularFile(const std::string& path) {
  return Status::InvalidArgument(path + ": not a regular file");
}

}  // namespace

PageFile::PageFile(std::string path, int fd, OpenMode mode, uint64_t size)
    : path_(std::move(path)), fd_(fd), mode_(mode), size_(size) {}

PageFile::~PageFile() { ::close(fd_); }

Status PageFile::Open(const std::string& path, OpenMode mode, std::unique_ptr<PageFile>* file) {
  const int flags = (mode == OpenMode::kReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
  const int fd = ::open(path.c_str(), flags);
  if (fd < 0) {
    if (errno == ENOENT) return Status::NotFound(path + ": no such file");
    if (errno == EISDIR) return NotARegularFile(path);
    return ErrnoStatus(path, "open");
  }
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    Status s = ErrnoStatus(path, "read the size of");
    ::close(fd);
    return s;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return NotARegularFile(path);
  }
  file->reset(new PageFile(path, fd, mode, static_cast<uint64_t>(info.st_size)));
  return Status::OK();
}

Status PageFile::Create(const std::string& path, std::unique_ptr<PageFile>* file) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return Status::InvalidArgument(path + ": file already exists");
    return ErrnoStatus(path, "create");
  }
  file->reset(new PageFile(path, fd, OpenMode::kReadWrite, 0));
  return Status::OK();
}

uint32_t PageFile::page_count() const {
  if (page_size_ == 0) return 0;
  const uint64_t pages = size_ / page_size_;
  return pages > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(pages);
}

Status PageFile::HasPage(uint32_t n, bool* exists) const {
  *exists = n < page_count();
  if (*exists) return Status::OK();
  Status s = ReadSize();
  *exists = n < page_count();
  return s;
}

Status PageFile::ReadSize() const {
  struct stat info;
  if (::fstat(fd_, &info) != 0) return ErrnoStatus(path_, "read the size of");
  size_ = static_cast<uint64_t>(info.st_size);
  return Status::OK();
}

Status PageFile::ReadPage(uint32_t n, std::vector<uint8_t>* page) const {
  bool exists;
  if (Status s = HasPage(n, &exists); !s.ok()) return s;
  if (!exists) {
    return Status::Corruption(path_ + ": page " + std::to_string(n) +
                              " lies past the end of the file (" + std::to_string(page_count()) +
                              " pages): the file is truncated or damaged");
  }
  page->resize(page_size_);
  const off_t offset = static_cast<off_t>(n) * page_size_;
  size_t done = 0;
  while (done < page_size_) {
    const ssize_t got = ::pread(fd_, page->data() + done, page_size_ - done, offset + done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ErrnoStatus(path_, "read");
    }
    if (got == 0) {
      return Status::Corruption(path_ + ": file is truncated at page " + std::to_string(n));
    }
    done += static_cast<size_t>(got);
  }
  return Status::OK();
}

Status PageFile::ReadHeader(size_t length, std::vector<uint8_t>* bytes) const {
  if (size_ < length) {
    return Status::Corruption(path_ + ": file is too short (" + std::to_string(size_) +
                              " bytes) to be a database");
  }
  bytes->resize(length);
  size_t done = 0;
  while (done < length) {
    const ssize_t got = ::pread(fd_, bytes->data() + done, length - done, done);
    if (got < 0) {
      if (errno == EINTR) continue;
      return ErrnoStatus(path_, "read");
    }
    if (got == 0) return Status::Corruption(path_ + ": file is truncated");
    done += static_cast<size_t>(got);
  }
  return Status::OK();
}

Status PageFile::WritePage(uint32_t n, const std::vector<uint8_t>& page) {
  if (mode_ != OpenMode::kReadWrite) {
    return Status::InvalidArgument(path_ + ": opened read-only");
  }
  if (page_size_ == 0 || page.size() != page_size_) {
    return Status::InvalidArgument(path_ + ": page " + std::to_string(n) + " has the wrong size");
  }
  if (n > page_count()) {
    return Status::InvalidArgument(path_ + ": page " + std::to_string(n) +
                                   " would leave a gap after the end of the file");
  }
  const off_t offset = static_cast<off_t>(n) * page_size_;
  size_t done = 0;
  while (done < page_size_) {
    const ssize_t put = ::pwrite(fd_, page.data() + done, page_size_ - done, offset + done);
    if (put < 0) {
      if (errno == EINTR) continue;
      return ErrnoStatus(path_, "write");
    }
    done += static_cast<size_t>(put);
  }
  const uint64_t end = static_cast<uint64_t>(offset) + page_size_;
  if (end > size_) size_ = end;
  ++write_count_;
  return Status::OK();
}

Status PageFile::Sync() {
  while (::fsync(fd_) != 0) {
    if (errno != EINTR) return ErrnoStatus(path_, "flush to disk");
  }
  return Status::OK();
}

Status PageFile::Lock() {
  // flock locks belong to the open file, so two processes (or two PageFiles
  // of one process) exclude each other.
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) return ErrnoStatus(path_, "lock");
  }
  // Another process may have grown the file while we waited.
  Status s = ReadSize();
  if (!s.ok()) Unlock();
  return s;
}

void PageFile::Unlock() { ::flock(fd_, LOCK_UN); }

}  // namespace jet
