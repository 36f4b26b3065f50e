#include "data/meaning_cipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/error.h"

namespace lexmira {
namespace {

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

// '8' ^ '2' ^ 'k' ^ '9' ^ '1' ^ '5' = 0x5C, so "A" (0x41) is stored as "1D".
TEST(MeaningCipherTest, DecodesStoredValues) {
  struct Case {
    std::string stored;
    std::string meaning;
  };
  const Case cases[] = {
      {"", ""},
      {"1D", "A"},
      {"1d", "A"},
      {"ACEC", "\xF0\xB0"},
      {"acEc", "\xF0\xB0"},
      {"5C", std::string(1, '\0')},
      {"A3", "\xFF"},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    const std::optional<std::string> meaning = DecodeText(c.stored, MeaningKey, sink);
    ASSERT_TRUE(meaning.has_value()) << c.stored;
    EXPECT_EQ(*meaning, c.meaning) << c.stored;
    EXPECT_TRUE(sink.shown.empty()) << c.stored;
  }
}

TEST(MeaningCipherTest, RoundTripsAsciiChineseAndEveryByte) {
  std::string every_byte;
  for (int b = 0; b <= 0xFF; ++b) every_byte += static_cast<char>(b);
  // "苹果；n. 苹果树" in code page 936.
  const std::string chinese = "\xC6\xBB\xB9\xFB\xA3\xBB" "n. \xC6\xBB\xB9\xFB\xCA\xF7";
  for (const std::string& bytes : {std::string("apple"), chinese, every_byte}) {
    RecordingSink sink;
    const std::string stored = EncodeText(bytes, MeaningKey);
    EXPECT_EQ(stored, TextToHex(HexToText(stored))) << "stored form is upper-case hex";
    EXPECT_EQ(DecodeText(stored, MeaningKey, sink), bytes);
    EXPECT_TRUE(sink.shown.empty());
  }
}

TEST(MeaningCipherTest, EmptyKeyIsPlainHex) {
  RecordingSink sink;
  EXPECT_EQ(DecodeText("41ff", "", sink), "A\xFF");
}

TEST(MeaningCipherTest, OddLengthShowsTheMessageOnceAndGivesNoResult) {
  for (std::string stored : {"1", "1F1", "zzz"}) {
    RecordingSink sink;
    EXPECT_FALSE(DecodeText(stored, MeaningKey, sink).has_value()) << stored;
    EXPECT_EQ(sink.shown, std::vector<std::string>{"密文错误！"}) << stored;
  }
}

TEST(MeaningCipherTest, BadPairFailsWithTheDollarPrefixedPair) {
  struct Case {
    std::string stored;
    std::string error;
  };
  const Case cases[] = {
      {"4G", "'$4G' is not a valid integer value"},
      {"1D4G", "'$4G' is not a valid integer value"},
      {" 4", "'$ 4' is not a valid integer value"},
      {"4 ", "'$4 ' is not a valid integer value"},
      {"-1", "'$-1' is not a valid integer value"},
      {"+1", "'$+1' is not a valid integer value"},
      {"0x", "'$0x' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    RecordingSink sink;
    try {
      DecodeText(c.stored, MeaningKey, sink);
      ADD_FAILURE() << "no error for " << c.stored;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
    EXPECT_TRUE(sink.shown.empty());
  }
}

TEST(MeaningCipherTest, TextToHexIsUpperCaseTwoDigitsPerByte) {
  EXPECT_EQ(TextToHex(""), "");
  EXPECT_EQ(TextToHex(std::string("A\xB0\x00\x0f", 4)), "41B0000F");
}

}  // namespace
}  // namespace lexmira
