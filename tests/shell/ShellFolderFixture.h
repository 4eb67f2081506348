// Test helper: a folder tree of the test's own that stands in for the user's shell folders. The registry
// values that name the shell folders (HKCU ...\Explorer\Shell Folders and ...\GrpConv\MapGroups) point at
// it while the fixture lives and get their old values back afterwards.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Keeps one value of a key below HKEY_CURRENT_USER, type and bytes, and puts it back (or removes it again)
// at the end. A value that a crashed earlier run left pointing into `strayMarker` is put back as `repair`.
class TSavedRegValue {
public:
    TSavedRegValue(std::string key, std::string name, const std::string& strayMarker = "",
                   const std::string& repair = "");
    TSavedRegValue(const TSavedRegValue&) = delete;
    TSavedRegValue& operator=(const TSavedRegValue&) = delete;
    ~TSavedRegValue();
    void Set(const std::string& value, DWORD type = REG_SZ) const;
    void Remove() const;

private:
    struct TStored {
        DWORD Type = REG_SZ;
        std::vector<BYTE> Bytes;
    };
    std::string Key;
    std::string Name;
    std::optional<TStored> Old;
};

// Deletes a key at the end when it did not exist at the start (a key a test had to create).
class TKeyCleaner {
public:
    explicit TKeyCleaner(std::string key);
    TKeyCleaner(const TKeyCleaner&) = delete;
    TKeyCleaner& operator=(const TKeyCleaner&) = delete;
    ~TKeyCleaner();

private:
    std::string Key;
    bool Existed;
};

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TScratchFolder {
public:
    explicit TScratchFolder(const std::string& name);
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    ~TScratchFolder();
    const std::string& Path() const { return Root; }
    std::string operator/(const std::string& relative) const { return Root + "\\" + relative; }

private:
    std::string Root;
};

// Removes a file tree without the shell (the tests must not depend on the code they test).
void RemoveTree(const std::string& path);
bool MakeFolders(const std::string& path); // creates every missing folder of the path
bool WriteTextFile(const std::string& path, const std::string& content);
bool PathExists(const std::string& path);

// Every "*.lnk" file below `root`, as paths relative to it, sorted.
std::vector<std::string> FindLinks(const std::string& root);
// The target of a link file, read back through the shell-link object; empty on failure.
std::string LinkTarget(const std::string& linkFile);

// The shell-folder values of the current user, pointed at folders below one scratch folder:
// Desktop, SendTo, StartMenu, Programs, QuickLaunch (the "Shell Folders" value) and MapGroups (the
// group-conversion value consulted first for the quick-launch area). The shell copies "User Shell
// Folders" into "Shell Folders" when it resolves a folder, so both point at the test's folders: a symbol
// can never land on the real desktop (under Wine the user's home folder).
class TShellFolderFixture {
public:
    TShellFolderFixture();
    std::string Folder(const std::string& name) const { return Scratch / name; }
    const TScratchFolder& Root() const { return Scratch; }
    // The "Shell Folders" value (or MapGroups): "Desktop", "SendTo", ..., "MapGroups".
    TSavedRegValue& Value(const std::string& name);

private:
    TScratchFolder Scratch;
    TKeyCleaner GrpConv;
    TSavedRegValue UserDesktop, UserSendTo, UserStartMenu, UserPrograms;
    TSavedRegValue Desktop, SendTo, StartMenu, Programs, QuickLaunch, MapGroups;
};
