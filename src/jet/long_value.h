// Long values: memo and OLE fields keep a 12-byte header in the row
//   length(3) flags(1) row_pointer(4) unused(4)
// and the value either right after the header (flag 0x80), in one row of a
// long value page (0x40), or spread over a chain of such rows, each starting
// with the pointer to the next (0x00).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "jet/format.h"
#include "jet/page_file.h"
#include "jet/status.h"

namespace jet {

class LongValueReader {
 public:
  // `file` and `format` must outlive the reader.
  LongValueReader(const PageFile& file, const Format& format) : file_(file), format_(format) {}

  // Replaces *value with the bytes of the long value whose header is
  // field[0..size). Chains that loop, leave the file or disagree with the
  // stated length are Corruption; the length is capped by the file's size.
  // When `rows` is given it receives the row pointers the value occupies.
  Status Read(const uint8_t* field, size_t size, std::string* value,
              std::vector<uint32_t>* rows = nullptr);

 private:
  Status ReadRow(uint32_t pointer, const uint8_t** data, size_t* size);

  const PageFile& file_;
  const Format& format_;
  std::vector<uint8_t> page_;  // the long value page read last
  uint32_t page_number_ = 0;
};

}  // namespace jet
