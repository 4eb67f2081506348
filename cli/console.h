// The standard streams of kalkomat-cli on each platform.
#pragma once

#include <cstdio>
#include <string_view>

// On Windows: standard input and output carry bytes as they are, without CR LF translation, so that a
// class list comes out with the line breaks it came in with. Nothing elsewhere.
void UseBinaryStandardStreams();

// Writes UTF-8 text to `stream`. A Windows console gets it through the wide-character interface, so that
// umlauts show whatever its code page; files and pipes get the UTF-8 bytes. False when writing failed.
bool WriteText(std::FILE* stream, std::string_view utf8);

// The four-digit year of today's local date.
int CurrentLocalYear();
