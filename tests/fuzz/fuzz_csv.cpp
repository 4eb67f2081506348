// The CSV reader and the class-list run of kalkomat-cli over arbitrary files: the records put together again
// are the file, and every input row comes out, in order, whatever the read size.
#include "FuzzInput.h"
#include "bundesjugendspiele.h"
#include "cli/classlist.h"
#include "cli/csvfile.h"

#include <cstdlib>
#include <string>

namespace {

const TScoringUnit Unit;

std::size_t CountRecords(std::string_view bytes, char delimiter) {
    std::size_t count = 0;
    SplitCsv(bytes, delimiter, [&](const TCsvRecord&) { ++count; });
    return count;
}

std::string_view WithoutBom(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const std::size_t readSize = 1 + in.Take<std::uint8_t>() % 16;
    const std::string file = in.Rest();

    const char delimiter = DetectDelimiter(WithoutBom(file)).Delimiter; // as the class-list run sees it
    std::string joined;
    SplitCsv(file, delimiter, [&](const TCsvRecord& r) {
        joined.append(r.Raw);
        joined.append(r.LineBreak);
    });
    if (joined != file)
        std::abort();

    TClassListOptions options;
    options.FileName = "fuzz.csv";
    options.CurrentYear = 2026;
    options.ReadSize = file.size() + 1; // the whole file in one read
    std::string whole, wholeMessages, pieces, piecesMessages;
    const int status = ScoreClassListText(file, whole, wholeMessages, options);
    options.ReadSize = readSize;
    if (ScoreClassListText(file, pieces, piecesMessages, options) != status || pieces != whole ||
        piecesMessages != wholeMessages)
        std::abort();
    if (status < 0 || status > 2)
        std::abort();
    if (status != 2 &&
        CountRecords(WithoutBom(whole), delimiter) != CountRecords(WithoutBom(file), delimiter))
        std::abort();
    return 0;
}
