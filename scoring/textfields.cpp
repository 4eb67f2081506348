#include "textfields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

int FieldCount(std::string_view text, char separator) {
    if (text.empty())
        return 0;
    return 1 + static_cast<int>(std::count(text.begin(), text.end(), separator));
}

std::string FieldAt(std::string_view text, char separator, int index) {
    if (index < 1)
        return {};
    std::size_t start = 0;
    for (int piece = 1; piece < index; ++piece) {
        const std::size_t next = text.find(separator, start);
        if (next == std::string_view::npos)
            return {};
        start = next + 1;
    }
    const std::size_t end = text.find(separator, start);
    return std::string(
        text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

namespace {

bool IsBlank(char c) {
    // Blanks and control characters, as a text box or an INI value may carry them.
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) {
    text = TrimLeft(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    // The magnitude may reach 2^31 for the most negative number.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (const char c : text) {
        const int digit = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        value = value * base + digit;
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<double> ParseDecimal(std::string_view text, char decimalSeparator) {
    text = TrimLeft(text);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    // Checked by hand so that only the given separator counts, then handed to from_chars with a point.
    char buffer[128];
    if (text.empty() || text.size() >= sizeof buffer)
        return std::nullopt;
    std::size_t length = 0;
    std::size_t pos = 0;
    if (text[pos] == '+' || text[pos] == '-') {
        if (text[pos] == '-')
            buffer[length++] = '-';
        ++pos;
    }
    int digits = 0;
    bool separatorSeen = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            buffer[length++] = c;
            ++digits;
        } else if (c == decimalSeparator && !separatorSeen) {
            buffer[length++] = '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        buffer[length++] = 'e';
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            buffer[length++] = text[pos++];
        int exponentDigits = 0;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++exponentDigits)
            buffer[length++] = text[pos];
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(buffer, buffer + length, value);
    if (error != std::errc() || end != buffer + length || !std::isfinite(value))
        return std::nullopt;
    return value;
}
