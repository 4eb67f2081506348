// The maker's system unit: shell folders, the silent folder delete and program symbols (shell links).
// Paths are Windows-1252 text; the plain path texts live in shell/WBPaths.h.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstdint>
#include <string>

#include "shell/WBPaths.h"

// The shell's special-folder number of the user's (roaming) application-data folder.
constexpr int CSIDL_APPDATA_FOLDER = 26;

// The file-system path of a shell special folder, exactly as the shell gives it; empty for a virtual
// folder, a folder this system lacks, or any other failure.
std::string GetSpecialFolder(int folderId);

// The user's application-data folder, or empty text when there is none.
std::string GetAppDataDir();

// The system's temporary folder with its trailing backslash. Empty when the system cannot report it
// within 260 characters or reports a path that is not fully qualified: a caller that appends a name must
// then not work with the bare name, which would lie in the current directory.
std::string GetTempDir();

// The full path of the running executable (any length); empty on failure.
std::string GetExeName();

// True when the path names an existing folder (not a file).
bool FolderExists(const std::string& path);

// Removes a folder with everything in it, silently and without a question, into the recycle bin where the
// shell can. True when the shell reports success. False, without touching anything, for a missing path, a
// file, and every path that IsDeletableFolderPath refuses (relative names, roots). Paths of any length are
// handed over whole; nothing is cut or written past a buffer.
bool DeleteFolder(const std::string& path);

// The shell locations a program symbol can be placed in.
enum TShortcutLocation : std::uint8_t {
    slDesktop,
    slQuickLaunch,
    slSendTo,
    slStartMenu,
    slPrograms,
};

// Places a program symbol (a .lnk file) for `target` in `location`, in its `subFolder` when that exists and
// the location allows one, and offers one more directly on the desktop when the first went elsewhere.
// Shows its English messages (only failures when `silent`) and the German desktop question. True when at
// least one link file was saved.
bool CreateProgramShortcut(const std::string& target, const std::string& workingDir,
                           const std::string& linkName, const std::string& subFolder,
                           TShortcutLocation location, bool silent);

// Saves the prepared link as "<linkName>.lnk" in `folder`, then as "<linkName> (1).lnk" and
// "<linkName> (2).lnk" when a save fails. True when a save succeeded.
bool CreateShortcut(IShellLinkA* link, const std::string& linkName, const std::string& folder);
