// Reads typed values from a fuzzer's bytes; runs out into zeros instead of failing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size) : Data(data), Size(size) {}

    template <typename T> T Take() {
        T value{};
        const std::size_t n = sizeof(T) < Size ? sizeof(T) : Size;
        std::memcpy(&value, Data, n);
        Data += n;
        Size -= n;
        return value;
    }
    // A text of up to `limit` bytes, its length taken from the input first.
    std::string Text(std::size_t limit) {
        std::size_t n = Take<std::uint8_t>();
        n = n < limit ? n : limit;
        n = n < Size ? n : Size;
        std::string text(reinterpret_cast<const char*>(Data), n);
        Data += n;
        Size -= n;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(Data), Size);
        Data += Size;
        Size = 0;
        return text;
    }

private:
    const std::uint8_t* Data;
    std::size_t Size;
};
