#include "jet/text_decode.h"

#include <iconv.h>

#include <array>

#include "jet/little_endian.h"

namespace jet {

namespace {

constexpr char32_t kReplacement = 0xfffd;

// Code page 1252 to Unicode, built once through iconv; bytes the code page
// leaves undefined map to U+FFFD.
const std::array<char32_t, 256>& Cp1252Table() {
  static const std::array<char32_t, 256> table = [] {
    std::array<char32_t, 256> t;
    iconv_t cd = iconv_open("UTF-32LE", "CP1252");
    for (int b = 0; b < 256; ++b) {
      t[b] = b < 0x80 ? static_cast<char32_t>(b) : kReplacement;
      if (b < 0x80 || cd == reinterpret_cast<iconv_t>(-1)) continue;
      char in = static_cast<char>(b);
      uint8_t result[4];
      char* in_ptr = &in;
      char* out_ptr = reinterpret_cast<char*>(result);
      size_t in_left = 1, out_left = sizeof result;
      if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1) &&
          out_left == 0) {
        t[b] = LoadU32(result);
      }
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
    return t;
  }();
  return table;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xd800 && c <= 0xdbff; }
bool IsLowSurrogate(char32_t c) { return c >= 0xdc00 && c <= 0xdfff; }

// Turns a stream of UTF-16 units into UTF-8, pairing surrogates.
class Utf16Sink {
 public:
  explicit Utf16Sink(std::string* out) : out_(out) {}
  ~Utf16Sink() { Flush(); }

  void Put(char32_t unit) {
    if (pending_high_ != 0) {
      if (IsLowSurrogate(unit)) {
        AppendUtf8(0x10000 + ((pending_high_ - 0xd800) << 10) + (unit - 0xdc00), out_);
        pending_high_ = 0;
        return;
      }
      Flush();
    }
    if (unit < 0x80) {
      out_->push_back(static_cast<char>(unit));
    } else if (IsHighSurrogate(unit)) {
      pending_high_ = unit;
    } else if (IsLowSurrogate(unit)) {
      AppendUtf8(kReplacement, out_);
    } else {
      AppendUtf8(unit, out_);
    }
  }

 private:
  void Flush() {
    if (pending_high_ != 0) AppendUtf8(kReplacement, out_);
    pending_high_ = 0;
  }

  std::string* const out_;
  char32_t pending_high_ = 0;
};

void AppendJet4Text(const uint8_t* data, size_t size, std::string* out) {
  Utf16Sink sink(out);
  if (size >= 2 && data[0] == Format::kCompressedTextMarker[0] &&
      data[1] == Format::kCompressedTextMarker[1]) {
    bool compressed = true;
    size_t i = 2;
    while (i < size) {
      if (data[i] == Format::kCompressedTextToggle) {
        compressed = !compressed;
        ++i;
      } else if (compressed) {
        sink.Put(data[i]);
        ++i;
        // Runs of ASCII, the common case, go straight through.
        const size_t run_start = i;
        while (i < size && data[i] != Format::kCompressedTextToggle && data[i] < 0x80) ++i;
        out->append(reinterpret_cast<const char*>(data + run_start), i - run_start);
      } else if (i + 1 < size) {
        sink.Put(LoadU16(data + i));
        i += 2;
      } else {
        sink.Put(kReplacement);
        ++i;
      }
    }
    return;
  }
  for (size_t i = 0; i + 1 < size; i += 2) sink.Put(LoadU16(data + i));
  if (size % 2 != 0) sink.Put(kReplacement);
}

void AppendJet3Text(const uint8_t* data, size_t size, std::string* out) {
  const std::array<char32_t, 256>& table = Cp1252Table();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] < 0x80) {
      out->push_back(static_cast<char>(data[i]));
    } else {
      AppendUtf8(table[data[i]], out);
    }
  }
}

}  // namespace

void AppendUtf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xc0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
  } else if (c < 0x10000) {
    out->push_back(static_cast<char>(0xe0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
  } else {
    out->push_back(static_cast<char>(0xf0 | (c >> 18)));
    out->push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3f)));
  }
}

void AppendText(const Format& format, const uint8_t* data, size_t size, std::string* out) {
  if (format.version == JetVersion::kJet4) {
    AppendJet4Text(data, size, out);
  } else {
    AppendJet3Text(data, size, out);
  }
}

}  // namespace jet
