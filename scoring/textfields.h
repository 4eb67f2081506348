// Text-field helpers and the number readers shared by the calculator window, the program frame and
// kalkomat-cli. Plain standard C++: no Windows header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// 0 for an empty text, otherwise 1 plus the number of separators.
int FieldCount(std::string_view text, char separator);

// Piece number `index` (from 1) of the text cut at every separator; empty when there is no such piece.
std::string FieldAt(std::string_view text, char separator, int index);

// A whole number as the program reads one: leading blanks, an optional sign, then decimal digits or a
// hexadecimal number after "$", "x" or "0x" (either letter case); nothing may follow. nullopt when the
// text is not such a number or does not fit 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text);
inline std::int32_t ReadInteger(std::string_view text) { return ParseInteger(text).value_or(0); }

// A decimal number with the given decimal separator: blanks around it allowed, an optional sign, digits
// with at most one separator, an optional exponent; no thousands separators. nullopt when the text is not
// such a number or is out of the range of a double.
std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator);
inline double ReadDecimal(std::string_view text, char decimalSeparator) {
    return ParseDecimal(text, decimalSeparator).value_or(0.0);
}
