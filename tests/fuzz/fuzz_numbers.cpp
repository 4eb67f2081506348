// The number readers of the window, the frame and kalkomat-cli over arbitrary text: a number they accept
// reads back the same when written out again, and nothing they accept is infinite or NaN.
#include "FuzzInput.h"
#include "textfields.h"

#include <cmath>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const char separator = in.Take<std::uint8_t>() % 2 ? ',' : '.';
    const std::string text = in.Rest();

    if (const auto whole = ParseInteger(text)) {
        if (ParseInteger(std::to_string(*whole)) != whole)
            std::abort();
        // Accepted text holds no decimal separator of either kind.
        for (const char c : text)
            if (c == '.' || c == ',')
                std::abort();
    }
    if (const auto decimal = ParseDecimal(text, separator)) {
        if (!std::isfinite(*decimal))
            std::abort();
        const char other = separator == ',' ? '.' : ',';
        if (text.find(other) != std::string::npos)
            std::abort();
    }
    return 0;
}
