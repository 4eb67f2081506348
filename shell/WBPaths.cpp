#include "shell/WBPaths.h"

#include <optional>
#include <vector>

namespace {

// Position of the last backslash or colon, or npos.
std::size_t LastSeparator(std::string_view path) { return path.find_last_of("\\:"); }

std::string DropExtension(std::string_view name) {
    const std::size_t dot = name.find_last_of(".\\:");
    if (dot != std::string_view::npos && name[dot] == '.')
        name = name.substr(0, dot);
    return std::string(name);
}

// Parts between separators; doubled separators give no empty part, as Windows collapses them.
std::vector<std::string_view> SplitParts(std::string_view text) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Windows drops trailing dots and blanks of a name, so such a part would name its parent or nothing.
bool IsDotsAndBlanks(std::string_view part) { return part.find_first_not_of(". ") == std::string_view::npos; }

bool HasForbiddenCharacter(std::string_view part) {
    for (const char c : part) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 32 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            return true;
    }
    return false;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

} // namespace

std::string IncludeBackslash(std::string_view path) {
    std::string result(path);
    if (!result.empty() && result.back() != '\\')
        result += '\\';
    return result;
}

std::string JoinPath(std::string_view first, std::string_view second) {
    if (first.empty())
        return std::string(second);
    if (first.back() == '\\')
        first.remove_suffix(1);
    if (second.empty())
        return std::string(first);
    if (second.front() == '\\')
        second.remove_prefix(1);
    std::string result(first);
    result += '\\';
    result += second;
    return result;
}

std::string ExtractFileName(std::string_view path) {
    const std::size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
    std::string result = DropExtension(path);
    result += extension;
    return result;
}

std::string ShortcutLinkName(std::string_view linkName, std::string_view target) {
    std::string name = linkName.empty() ? ExtractFileName(target) : std::string(linkName);
    for (char& c : name)
        if (c == '/')
            c = '-';
    return DropExtension(name);
}

namespace {

// Length of the root ("C:\" or "\\server\share") of a path whose separators are all backslashes; 0 when
// the path is not fully qualified, or its root is a device path ("\\?\", "\\.\") or malformed.
std::size_t RootLength(const std::string& text) {
    if (text.size() >= 3 && IsDriveLetter(text[0]) && text[1] == ':' && text[2] == '\\')
        return 3;
    if (text.size() < 3 || text[0] != '\\' || text[1] != '\\' || text[2] == '\\')
        return 0;
    const std::vector<std::string_view> unc = SplitParts(std::string_view(text).substr(2));
    if (unc.size() < 2 || unc[0] == "?" || IsDotsAndBlanks(unc[0]) || IsDotsAndBlanks(unc[1]) ||
        HasForbiddenCharacter(unc[0]) || HasForbiddenCharacter(unc[1]))
        return 0;
    return static_cast<std::size_t>(unc[1].data() - text.data()) + unc[1].size();
}

// The parts below the root, or nullopt when the path is not fully qualified or one part is unsafe.
std::optional<std::vector<std::string_view>> PartsBelowRoot(const std::string& text) {
    const std::size_t root = RootLength(text);
    if (root == 0)
        return std::nullopt;
    std::vector<std::string_view> parts = SplitParts(std::string_view(text).substr(root));
    for (const std::string_view part : parts)
        if (IsDotsAndBlanks(part) || HasForbiddenCharacter(part))
            return std::nullopt;
    return parts;
}

// Windows takes "/" as a separator as well, whatever the path builders above do.
std::string WithBackslashes(std::string_view path) {
    std::string text(path);
    for (char& c : text)
        if (c == '/')
            c = '\\';
    return text;
}

} // namespace

bool IsFullyQualifiedPath(std::string_view path) { return PartsBelowRoot(WithBackslashes(path)).has_value(); }

bool IsDeletableFolderPath(std::string_view path) {
    const std::string text = WithBackslashes(path);
    const auto parts = PartsBelowRoot(text);
    return parts && !parts->empty();
}

std::string SubfolderToRemove(std::string_view base, std::string_view name) {
    if (name.empty() || !IsFullyQualifiedPath(base))
        return {};
    std::string result = IncludeBackslash(base);
    result += name;
    return IsDeletableFolderPath(result) ? result : std::string();
}
