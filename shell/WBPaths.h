// Path texts of the system unit: plain standard C++ without a Windows header, so that the same code also
// builds and runs on the host. The backslash is the only separator these functions know when they build
// paths; a forward slash is an ordinary character to them.
#pragma once

#include <string>
#include <string_view>

// The path with exactly one trailing backslash added where it lacks one; empty stays empty. Only the last
// character is looked at, so a path ending in two backslashes keeps both.
std::string IncludeBackslash(std::string_view path);

// The two pieces joined by one backslash. An empty first piece gives the second piece unchanged; otherwise
// at most one backslash is removed at the end of the first and at the start of the second piece, and an
// empty second piece gives the first piece without its trailing backslash.
std::string JoinPath(std::string_view first, std::string_view second);

// The file-name part of a path: the text after its last backslash or colon.
std::string ExtractFileName(std::string_view path);

// The path with its extension replaced by `extension` (which brings its own dot). The extension starts at
// the last dot that comes after every backslash and colon; a name without one gets `extension` appended.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

// The file name of a program symbol without ".lnk": `linkName`, or the file-name part of `target` when
// the name is empty; every "/" becomes "-" and the extension (from the last dot after every backslash and
// colon) is dropped.
std::string ShortcutLinkName(std::string_view linkName, std::string_view target);

// True for a path that may be handed to a silent folder delete: fully qualified ("C:\..." or
// "\\server\share\..."), at least one folder below the root, and no part that Windows would resolve
// upwards or strip away ("." or "..", or a part made of dots and blanks only). Relative names, names
// relative to a drive ("C:x", "\x"), drive and share roots and device paths ("\\?\", "\\.\") are refused,
// so that a missing or broken folder name can never turn a delete onto the current directory or a root.
bool IsDeletableFolderPath(std::string_view path);

// True for a fully qualified path ("C:\..." or "\\server\share...") without any part described above as
// unsafe; a drive or share root counts.
bool IsFullyQualifiedPath(std::string_view path);

// `base` with a backslash where needed and `name`, when `base` is fully qualified and the result is a
// folder that IsDeletableFolderPath accepts; otherwise empty. An empty name gives empty text, never the
// base folder itself, and a name that climbs out of the base ("..") is refused.
std::string SubfolderToRemove(std::string_view base, std::string_view name);
