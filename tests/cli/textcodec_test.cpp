#include <gtest/gtest.h>

#include "cli/textcodec.h"

namespace {

TEST(TextCodec, Windows1252ToUtf8) {
    const struct {
        const char* Text;
        const char* Want;
    } cases[] = {
        {"abc", "abc"},
        {"M\xFC"
         "ller",
         "M\xC3\xBC"
         "ller"},
        {"Gro\xDF", "Gro\xC3\x9F"},
        {"\x80", "\xE2\x82\xAC"}, // euro sign from the 0x80 to 0x9F block
        {"\x81", "\xEF\xBF\xBD"}, // undefined in Windows-1252
        {"\xFF", "\xC3\xBF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(Windows1252ToUtf8(c.Text), c.Want);
    }
}

TEST(TextCodec, GuessesEncodingFromFirstHighByte) {
    const struct {
        std::string_view Bytes;
        TTextEncoding Want;
        std::size_t Settled;
    } cases[] = {
        {"name;sex\n", TTextEncoding::Unknown, 9},
        {"M\xC3\xBC"
         "ller;\xFC",
         TTextEncoding::Utf8, 1}, // the first sequence decides
        {"M\xFC"
         "ller",
         TTextEncoding::Windows1252, 1},
        {"ab\xC3", TTextEncoding::Unknown, 2}, // cut off: wait for more
        {"ab\xE2\x82", TTextEncoding::Unknown, 2},
        {"\xC0\xAF", TTextEncoding::Windows1252, 0},     // overlong form is not UTF-8
        {"\xED\xA0\x80", TTextEncoding::Windows1252, 0}, // nor a surrogate
        {"\xF0\x9F\x98\x80", TTextEncoding::Utf8, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bytes);
        const TEncodingGuess guess = GuessEncoding(c.Bytes);
        EXPECT_EQ(guess.Encoding, c.Want);
        if (guess.Encoding == TTextEncoding::Unknown) {
            EXPECT_EQ(guess.Settled, c.Settled);
        }
    }
}

TEST(TextCodec, WholePrefixNeverCutsASequence) {
    EXPECT_EQ(WholePrefix("ab\xC3\xBC"
                          "c",
                          3, TTextEncoding::Utf8),
              2u);
    EXPECT_EQ(WholePrefix("ab\xC3\xBC"
                          "c",
                          4, TTextEncoding::Utf8),
              4u);
    EXPECT_EQ(WholePrefix("ab\xFC"
                          "c",
                          3, TTextEncoding::Windows1252),
              3u);
    EXPECT_EQ(WholePrefix("abc", 10, TTextEncoding::Utf8), 3u);
}

} // namespace
