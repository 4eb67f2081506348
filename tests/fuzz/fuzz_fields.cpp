// The text-field helpers and the table lookups over arbitrary keys and texts.
#include "FuzzInput.h"
#include "bundesjugendspiele.h"
#include "textfields.h"

#include <cstdlib>
#include <string>

namespace {
const TScoringUnit Unit;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const char separator = static_cast<char>(in.Take<std::uint8_t>());
    const std::string key = in.Text(12);
    const std::string text = in.Rest();

    // The pieces joined again give the text back.
    const int count = FieldCount(text, separator);
    std::string joined;
    for (int i = 1; i <= count; ++i)
        joined += (i > 1 ? std::string(1, separator) : std::string()) + FieldAt(text, separator, i);
    if (joined != text || !FieldAt(text, separator, count + 1).empty())
        std::abort();

    const TCertificateThresholds t = CertificateThresholds(key);
    if (t.Su < 0 || t.Eu < t.Su)
        std::abort();
    const std::string code = CertificateCode(key, static_cast<int>(text.size()));
    if (code != "EU" && code != "SU" && code != "TU")
        std::abort();
    for (const char* kind : {"Sprint", "Wurf", "Lauf"})
        if (DisciplineOptions(kind, key).size() > 20)
            std::abort();
    return 0;
}
