#include "data/gbk_text.h"

#include <iconv.h>

#include <cerrno>

namespace lexmira {
namespace {

constexpr const char* kCp936 = "CP936";
constexpr const char* kUtf8 = "UTF-8";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";  // U+FFFD
// Output room per input byte: one GBK byte never becomes more than the three
// bytes of U+FFFD or of a BMP character, nor one UTF-8 byte more than two.
constexpr size_t kOutputBytesPerInputByte = 3;

// One iconv descriptor per direction, opened on first use and kept: each
// displayed meaning is converted, and opening a descriptor loads a table.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `in`; on a byte sequence it cannot convert, either stops
  // (returns false) or, with `replace`, writes U+FFFD and skips one byte.
  bool Convert(std::string_view in, bool replace, std::string* out) {
    out->clear();
    if (!ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    std::string buffer(in.size() * kOutputBytesPerInputByte + kReplacementCharacter.size(), '\0');
    char* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    while (src_left > 0) {
      char* dst = buffer.data();
      size_t dst_left = buffer.size();
      const size_t result = iconv(cd_, &src, &src_left, &dst, &dst_left);
      out->append(buffer.data(), dst - buffer.data());
      if (result != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      if (!replace) return false;  // EILSEQ or EINVAL (cut off at the end)
      out->append(kReplacementCharacter);
      ++src;
      --src_left;
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    return true;
  }

 private:
  const iconv_t cd_;
};

}  // namespace

bool Utf8ToCp936(std::string_view utf8, std::string* cp936) {
  thread_local Converter converter(kCp936, kUtf8);
  return converter.Convert(utf8, /*replace=*/false, cp936);
}

std::string Cp936ToUtf8(std::string_view cp936) {
  thread_local Converter converter(kUtf8, kCp936);
  std::string utf8;
  converter.Convert(cp936, /*replace=*/true, &utf8);
  return utf8;
}

}  // namespace lexmira
