// Test helper: contents of files that are not plain INI text.
#pragma once

#include <windows.h>

#include <string>

// Little-endian UTF-16 with its byte-order mark, as Notepad saves "Unicode"; the text is Windows-1252.
inline std::string Utf16File(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {
        wchar_t wide = 0;
        MultiByteToWideChar(1252, 0, &c, 1, &wide, 1);
        bytes += static_cast<char>(wide & 0xFF);
        bytes += static_cast<char>(wide >> 8);
    }
    return bytes;
}

// The same bytes at every call: noise that a test can repeat.
inline std::string Noise(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}
