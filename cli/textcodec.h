// Text encodings of class lists: Windows-1252 (what a German spreadsheet saves as plain CSV) and UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class TTextEncoding {
    Unknown, // nothing but ASCII seen so far
    Utf8,
    Windows1252,
};

// Appends the UTF-8 form of Windows-1252 bytes to `out`. The five bytes that Windows-1252 leaves
// undefined become U+FFFD.
void AppendWindows1252AsUtf8(std::string& out, std::string_view text);
std::string Windows1252ToUtf8(std::string_view text);

// Result of looking at bytes for the encoding of a file.
struct TEncodingGuess {
    TTextEncoding Encoding = TTextEncoding::Unknown;
    // With Unknown: bytes from the start that need no second look (a UTF-8 sequence cut off at the end
    // of `bytes` is not among them).
    std::size_t Settled = 0;
};
// The first byte above 0x7F decides: a well-formed UTF-8 sequence there means UTF-8, anything else
// Windows-1252. Unknown while all bytes are ASCII or the first sequence is cut off by the end.
TEncodingGuess GuessEncoding(std::string_view bytes);

// Length of the longest prefix of `text` no longer than `limit` bytes that does not cut a UTF-8
// sequence in two (for Windows-1252 every prefix is whole).
std::size_t WholePrefix(std::string_view text, std::size_t limit, TTextEncoding encoding);
