#include "jet/database_header.h"

#include <chrono>
#include <cmath>
#include <cstring>

#include "jet/little_endian.h"

namespace jet {

namespace {

// The RC4 key of the scrambled part of the definition page.
constexpr uint8_t kHeaderKey[] = {0xc7, 0xda, 0x39, 0x6b};
// The first bytes of the scrambled part, the same in every Jet 4 file seen.
constexpr uint8_t kScrambledPreamble[] = {0x00, 0x01, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00,
                                          0x02, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00,
                                          0x04, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00};
constexpr size_t kCodePageOffset = 0x3c;
constexpr uint16_t kWesternCodePage = 1252;
constexpr size_t kPasswordOffset = 0x42;
constexpr size_t kPasswordLength = 40;
constexpr size_t kUnknownStampOffset = 0x6a;
constexpr uint32_t kUnknownStamp = 0x2341;  // what most files made by Access carry
constexpr size_t kSortOrderOffset = 0x6e;
constexpr size_t kCreationDateOffset = 0x72;
// After the scrambled part: a version stamp and the text "4.0".
constexpr size_t kEngineVersionOffset = 0x98;
constexpr uint32_t kEngineVersionStamp = 0x0654;
constexpr char kEngineVersionText[] = "4.0";
// Access fills the last 512 bytes with two-byte entries of 0x0100.
constexpr size_t kTrailerOffset = 0xe00;
constexpr uint16_t kTrailerEntry = 0x0100;

void Rc4(const uint8_t* key, size_t key_size, uint8_t* data, size_t size) {
  uint8_t state[256];
  for (int i = 0; i < 256; ++i) state[i] = static_cast<uint8_t>(i);
  uint8_t j = 0;
  for (int i = 0; i < 256; ++i) {
    j = static_cast<uint8_t>(j + state[i] + key[i % key_size]);
    std::swap(state[i], state[j]);
  }
  uint8_t a = 0;
  uint8_t b = 0;
  for (size_t n = 0; n < size; ++n) {
    a = static_cast<uint8_t>(a + 1);
    b = static_cast<uint8_t>(b + state[a]);
    std::swap(state[a], state[b]);
    data[n] ^= state[static_cast<uint8_t>(state[a] + state[b])];
  }
}

}  // namespace

double JetDateNow() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  const double seconds = std::chrono::duration<double>(now).count();
  return static_cast<double>(Format::kUnixEpochDays) + seconds / Format::kSecondsPerDay;
}

void BuildJet4HeaderPage(double created, std::vector<uint8_t>* page) {
  const Format& format = Jet4Format();
  page->assign(format.page_size, 0);
  uint8_t* p = page->data();
  std::memcpy(p, Format::kFileStart, sizeof Format::kFileStart);
  std::memcpy(p + Format::kMagicOffset, Format::kJetMagic, sizeof Format::kJetMagic);
  p[Format::kVersionOffset] = Format::kJet4Version;

  uint8_t* scrambled = p + Format::kEncryptedHeaderOffset;
  std::memcpy(scrambled, kScrambledPreamble, sizeof kScrambledPreamble);
  StoreU16(p + kCodePageOffset, kWesternCodePage);
  // An empty password is stored as the creation day repeated: Jet masks
  // the password with it.
  const auto day = static_cast<uint32_t>(std::floor(created));
  for (size_t i = 0; i < kPasswordLength; i += sizeof day) StoreU32(p + kPasswordOffset + i, day);
  StoreU32(p + kUnknownStampOffset, kUnknownStamp);
  StoreU32(p + kSortOrderOffset, Format::kGeneralSortOrder);
  uint64_t bits;
  std::memcpy(&bits, &created, sizeof bits);
  StoreU32(p + kCreationDateOffset, static_cast<uint32_t>(bits));
  StoreU32(p + kCreationDateOffset + 4, static_cast<uint32_t>(bits >> 32));
  Rc4(kHeaderKey, sizeof kHeaderKey, scrambled, format.encrypted_header_length);

  StoreU32(p + kEngineVersionOffset, kEngineVersionStamp);
  std::memcpy(p + kEngineVersionOffset + 4, kEngineVersionText, sizeof kEngineVersionText);
  for (size_t at = kTrailerOffset; at < format.page_size; at += 2) StoreU16(p + at, kTrailerEntry);
}

}  // namespace jet
