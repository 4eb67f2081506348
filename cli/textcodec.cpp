#include "cli/textcodec.h"

namespace {

// Code points of the bytes 0x80 to 0x9F; 0 where Windows-1252 defines no character.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at the start of `s`; 0 when it is malformed, -1 when it is
// cut off by the end of `s`.
int Utf8SequenceLength(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    int length;
    unsigned char low = 0x80, high = 0xBF; // range of the second byte
    if (b0 < 0x80)
        return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0; // overlong
        if (b0 == 0xED)
            high = 0x9F; // surrogates
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90;
        if (b0 == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<std::size_t>(i) >= s.size())
            return -1;
        const auto b = static_cast<unsigned char>(s[static_cast<std::size_t>(i)]);
        if (i == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF))
            return 0;
    }
    return length;
}

} // namespace

void AppendWindows1252AsUtf8(std::string& out, std::string_view text) {
    for (char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80)
            out += ch;
        else if (b < 0xA0)
            AppendCodePoint(out, Windows1252High[b - 0x80] ? Windows1252High[b - 0x80] : 0xFFFD);
        else
            AppendCodePoint(out, b);
    }
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    AppendWindows1252AsUtf8(out, text);
    return out;
}

TEncodingGuess GuessEncoding(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == bytes.size())
        return {TTextEncoding::Unknown, i};
    const int length = Utf8SequenceLength(bytes.substr(i));
    if (length < 0)
        return {TTextEncoding::Unknown, i};
    return {length > 0 ? TTextEncoding::Utf8 : TTextEncoding::Windows1252, i};
}

std::size_t WholePrefix(std::string_view text, std::size_t limit, TTextEncoding encoding) {
    if (text.size() <= limit)
        return text.size();
    std::size_t n = limit;
    if (encoding != TTextEncoding::Windows1252) {
        // Step back over continuation bytes to the start of the sequence that the limit cuts.
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    }
    return n;
}
