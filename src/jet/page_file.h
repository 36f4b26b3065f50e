// PageFile: owns the database file and all page I/O. Every page number is
// checked against the file's size, so a bad pointer becomes a Status.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "jet/status.h"

namespace jet {

enum class OpenMode { kReadOnly, kReadWrite };

class PageFile {
 public:
  // Opens an existing file. kReadWrite opens it for update; writes then take
  // an advisory lock on the whole file for as long as a WriteLock lives.
  static Status Open(const std::string& path, OpenMode mode, std::unique_ptr<PageFile>* file);
  // Creates a new, empty file; fails if the path exists.
  static Status Create(const std::string& path, std::unique_ptr<PageFile>* file);

  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;
  ~PageFile();

  const std::string& path() const { return path_; }
  uint32_t page_size() const { return page_size_; }
  // Must be called once the version is known (page 0 says which size).
  void set_page_size(uint32_t size) { page_size_ = size; }
  // The pages the file held when last looked at; see HasPage().
  uint32_t page_count() const;
  // Sets *exists to whether page n exists. A page past the size last seen
  // makes the file's size be read again: another process may have grown the
  // file since.
  Status HasPage(uint32_t n, bool* exists) const;

  // Reads page n into *page (resized to page_size()).
  Status ReadPage(uint32_t n, std::vector<uint8_t>* page) const;
  // Reads the first `length` bytes of the file, whatever its page size.
  Status ReadHeader(size_t length, std::vector<uint8_t>* bytes) const;
  // Writes page n; n may be page_count() to grow the file by one page.
  Status WritePage(uint32_t n, const std::vector<uint8_t>& page);
  // Counts the pages written through this object, so that what was read
  // from the file can tell whether it may be stale.
  uint64_t write_count() const { return write_count_; }
  // Returns once every written page is on disk.
  Status Sync();

  // Blocks until this process holds the file's exclusive advisory lock, then
  // rereads the file's size (another process may have grown it).
  Status Lock();
  void Unlock();

 private:
  PageFile(std::string path, int fd, OpenMode mode, uint64_t size);
  // Rereads the file's size into size_.
  Status ReadSize() const;

  const std::string path_;
  const int fd_;
  const OpenMode mode_;
  mutable uint64_t size_;  // a cache of the file's size, refreshed on demand
  uint32_t page_size_ = 0;
  uint64_t write_count_ = 0;
};

}  // namespace jet
