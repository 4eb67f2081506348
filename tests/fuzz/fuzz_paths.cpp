// The path helpers and the link-name derivation over arbitrary texts, and the guard that decides which
// folders the program may ever delete.
#include "FuzzInput.h"
#include "shell/WBPaths.h"

#include <cstdlib>
#include <string>

namespace {
bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput in(data, size);
    const std::string first = in.Text(300);
    const std::string second = in.Rest();

    const std::string withBackslash = IncludeBackslash(first);
    if (first.empty() ? !withBackslash.empty()
                      : withBackslash.back() != '\\' || !StartsWith(withBackslash, first) ||
                            withBackslash.size() > first.size() + 1)
        std::abort();

    const std::string joined = JoinPath(first, second);
    if (first.empty() ? joined != second : joined.size() > first.size() + second.size() + 1)
        std::abort();

    const std::string link = ShortcutLinkName(first, second);
    if (link.find('/') != std::string::npos)
        std::abort();

    const std::string folder = SubfolderToRemove(first, second);
    if (!folder.empty() && (!IsDeletableFolderPath(folder) || !StartsWith(folder, first.substr(0, 2))))
        std::abort();
    if (IsDeletableFolderPath(second) && !IsFullyQualifiedPath(second))
        std::abort();
    return 0;
}
