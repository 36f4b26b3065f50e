// Memo and OLE values stored outside their row: single rows, chains, and
// the chains a damaged file may hold.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "jet/little_endian.h"
#include "jet/long_value.h"
#include "page_image.h"

namespace {

using jet_test::Bytes;
using jet_test::Concat;
using jet_test::U32;

constexpr uint32_t kLval = 0x4c41564c;  // long value pages carry "LVAL" as owner

// The 12-byte header a row holds for a long value.
std::vector<uint8_t> Header(uint32_t length, uint8_t kind, uint32_t pointer) {
  std::vector<uint8_t> h = U32(length);
  h[3] = kind;
  return Concat(Concat(h, U32(pointer)), U32(0));
}

struct ChainCase {
  const char* name;
  std::vector<uint8_t> header;
  const char* value;  // nullptr: Corruption expected
  const char* reason;
};

const ChainCase kCases[] = {
    {"single_row", Header(5, 0x40, jet::MakeRowPointer(3, 1)), "other", nullptr},
    {"chain_over_two_pages", Header(11, 0x00, jet::MakeRowPointer(3, 0)), "hello world", nullptr},
    {"chain_cut_to_stated_length", Header(8, 0x00, jet::MakeRowPointer(3, 0)), "hello wo",
     nullptr},
    {"chain_shorter_than_stated", Header(20, 0x00, jet::MakeRowPointer(3, 0)), nullptr,
     "chain ends after 11 of 20 bytes"},
    {"chain_loop", Header(1000, 0x00, jet::MakeRowPointer(5, 0)), nullptr, "loops back"},
    {"pointer_past_end", Header(4, 0x40, jet::MakeRowPointer(99, 0)), nullptr,
     "past the end of the file"},
    {"length_beyond_file", Header(0x3fffffff, 0x00, jet::MakeRowPointer(3, 0)), nullptr,
     "more than the file holds"},
    {"row_shorter_than_length", Header(9, 0x40, jet::MakeRowPointer(3, 1)), nullptr,
     "holds 5 bytes of 9"},
    {"no_such_slot", Header(4, 0x40, jet::MakeRowPointer(4, 7)), nullptr, "no such row"},
};

class LongValueTest : public testing::TestWithParam<ChainCase> {};

TEST_P(LongValueTest, ReadsOrRefuses) {
  const ChainCase& c = GetParam();
  const jet::Format& format = jet::Jet4Format();
  jet_test::PageImage image(format, 8);
  image.SetDataPage(3, kLval,
                    {Concat(U32(jet::MakeRowPointer(4, 0)), Bytes("hello ")), Bytes("other")});
  image.SetDataPage(4, kLval, {Concat(U32(0), Bytes("world"))});
  // Pages 5 and 6 point at each other.
  image.SetDataPage(5, kLval, {Concat(U32(jet::MakeRowPointer(6, 0)), Bytes("ab"))});
  image.SetDataPage(6, kLval, {Concat(U32(jet::MakeRowPointer(5, 0)), Bytes("cd"))});
  std::unique_ptr<jet::PageFile> file = image.Open(std::string("lval_") + c.name + ".mdb");

  jet::LongValueReader reader(*file, format);
  std::string value;
  const jet::Status s = reader.Read(c.header.data(), c.header.size(), &value);
  if (c.value != nullptr) {
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(value, c.value);
  } else {
    ASSERT_EQ(s.code(), jet::Status::Code::kCorruption) << s.message();
    EXPECT_NE(s.message().find(c.reason), std::string::npos) << s.message();
  }
}

INSTANTIATE_TEST_SUITE_P(Chains, LongValueTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ChainCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
