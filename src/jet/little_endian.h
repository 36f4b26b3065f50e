// Little-endian loads and stores: every multi-byte number in a Jet file is
// little endian. Callers check bounds before calling.
#pragma once

#include <cstdint>

namespace jet {

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t LoadU24(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16);
}

inline uint32_t LoadU32(const uint8_t* p) {
  return LoadU24(p) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t LoadU64(const uint8_t* p) {
  return static_cast<uint64_t>(LoadU32(p)) | (static_cast<uint64_t>(LoadU32(p + 4)) << 32);
}

inline void StoreU16(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void StoreU32(uint8_t* p, uint32_t v) {
  StoreU16(p, static_cast<uint16_t>(v));
  StoreU16(p + 2, static_cast<uint16_t>(v >> 16));
}

// A row pointer ("data pointer") names a row as page << 8 | slot.
inline uint32_t RowPointerPage(uint32_t pointer) { return pointer >> 8; }
inline uint16_t RowPointerSlot(uint32_t pointer) { return static_cast<uint16_t>(pointer & 0xff); }
inline uint32_t MakeRowPointer(uint32_t page, uint16_t slot) { return (page << 8) | (slot & 0xff); }

}  // namespace jet
