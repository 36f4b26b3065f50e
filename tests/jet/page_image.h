// PageImage: a database file built page by page in a test, for cases that
// need exact bytes (chains, loops, maps) no real file shows.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "jet/format.h"
#include "jet/little_endian.h"
#include "jet/page_file.h"

namespace jet_test {

class PageImage {
 public:
  PageImage(const jet::Format& format, uint32_t page_count)
      : format_(format), pages_(page_count, std::vector<uint8_t>(format.page_size, 0)) {}

  std::vector<uint8_t>& page(uint32_t n) { return pages_.at(n); }

  // Makes page n a data page of `owner` holding `rows` in slot order, each
  // slot's offset or'ed with its entry in `flags` (if any).
  void SetDataPage(uint32_t n, uint32_t owner, const std::vector<std::vector<uint8_t>>& rows,
                   const std::vector<uint16_t>& flags = {}) {
    std::vector<uint8_t>& p = page(n);
    p.assign(format_.page_size, 0);
    p[0] = static_cast<uint8_t>(jet::PageType::kData);
    p[1] = 1;
    jet::StoreU32(p.data() + jet::Format::kDataOwnerOffset, owner);
    jet::StoreU16(p.data() + format_.data_row_count_offset, static_cast<uint16_t>(rows.size()));
    size_t end = format_.page_size;
    for (size_t i = 0; i < rows.size(); ++i) {
      end -= rows[i].size();
      std::copy(rows[i].begin(), rows[i].end(), p.begin() + static_cast<std::ptrdiff_t>(end));
      const uint16_t flag = i < flags.size() ? flags[i] : 0;
      jet::StoreU16(p.data() + format_.data_row_table_offset + 2 * i,
                    static_cast<uint16_t>(end | flag));
    }
  }

  // Writes the image to a file in the test's temporary directory and opens it.
  std::unique_ptr<jet::PageFile> Open(const std::string& name) {
    path_ = testing::TempDir() + name;
    {
      std::ofstream out(path_, std::ios::binary | std::ios::trunc);
      for (const auto& p : pages_) out.write(reinterpret_cast<const char*>(p.data()), p.size());
    }
    std::unique_ptr<jet::PageFile> file;
    EXPECT_TRUE(jet::PageFile::Open(path_, jet::OpenMode::kReadOnly, &file).ok());
    file->set_page_size(format_.page_size);
    return file;
  }

  ~PageImage() {
    if (!path_.empty()) std::remove(path_.c_str());
  }

 private:
  const jet::Format& format_;
  std::vector<std::vector<uint8_t>> pages_;
  std::string path_;
};

inline std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

inline std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline std::vector<uint8_t> U32(uint32_t v) {
  std::vector<uint8_t> b(4);
  jet::StoreU32(b.data(), v);
  return b;
}

}  // namespace jet_test
