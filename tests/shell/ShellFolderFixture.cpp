#include "tests/shell/ShellFolderFixture.h"

#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

const char* const ShellFoldersKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char* const UserShellFoldersKey =
    "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const GrpConvKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv";
const char* const MapGroupsKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
const char* const Stray = "kalkomat-shellfolders-";

bool KeyExists(const std::string& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

std::string ProfileFolder(const std::string& relative) {
    char profile[MAX_PATH] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    return std::string(profile) + "\\" + relative;
}

void FindLinksBelow(const std::string& root, const std::string& relative, std::vector<std::string>& found) {
    WIN32_FIND_DATAA data;
    const std::string pattern = root + (relative.empty() ? "" : "\\" + relative) + "\\*";
    HANDLE search = FindFirstFileA(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            FindLinksBelow(root, path, found);
        else if (name.size() > 4 && name.substr(name.size() - 4) == ".lnk")
            found.push_back(path);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

} // namespace

TSavedRegValue::TSavedRegValue(std::string key, std::string name, const std::string& strayMarker,
                               const std::string& repair)
    : Key(std::move(key)), Name(std::move(name)) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(handle, Name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        TStored stored{type, std::vector<BYTE>(size)};
        if (RegQueryValueExA(handle, Name.c_str(), nullptr, &type, stored.Bytes.data(), &size) ==
            ERROR_SUCCESS)
            Old = stored;
    }
    RegCloseKey(handle);
    if (Old && !strayMarker.empty()) {
        const std::string text(Old->Bytes.begin(), Old->Bytes.end());
        if (text.find(strayMarker) != std::string::npos) {
            Old->Bytes.assign(repair.begin(), repair.end());
            Old->Bytes.push_back(0);
        }
    }
}

TSavedRegValue::~TSavedRegValue() {
    if (!Old) {
        Remove();
        return;
    }
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(handle, Name.c_str(), 0, Old->Type, Old->Bytes.data(),
                   static_cast<DWORD>(Old->Bytes.size()));
    RegCloseKey(handle);
}

void TSavedRegValue::Set(const std::string& value, DWORD type) const {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open " + Key);
    RegSetValueExA(handle, Name.c_str(), 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

TKeyCleaner::TKeyCleaner(std::string key) : Key(std::move(key)), Existed(KeyExists(Key)) {}

TKeyCleaner::~TKeyCleaner() {
    if (!Existed)
        RegDeleteTreeA(HKEY_CURRENT_USER, Key.c_str());
}

void TSavedRegValue::Remove() const {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_WRITE, &handle) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(handle, Name.c_str());
    RegCloseKey(handle);
}

TScratchFolder::TScratchFolder(const std::string& name) {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    Root = std::string(temp) + name + "-" + std::to_string(GetCurrentProcessId());
    RemoveTree(Root);
    if (!MakeFolders(Root))
        throw std::runtime_error("cannot create " + Root);
}

TScratchFolder::~TScratchFolder() { RemoveTree(Root); }

void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &data));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool MakeFolders(const std::string& path) {
    for (std::size_t pos = path.find('\\', 3); pos != std::string::npos; pos = path.find('\\', pos + 1))
        CreateDirectoryA(path.substr(0, pos).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteTextFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
    return static_cast<bool>(out);
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FindLinks(const std::string& root) {
    std::vector<std::string> found;
    FindLinksBelow(root, "", found);
    std::sort(found.begin(), found.end());
    return found;
}

std::string LinkTarget(const std::string& linkFile) {
    const bool comReady = SUCCEEDED(CoInitialize(nullptr));
    std::string target;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH * 2] = {};
            MultiByteToWideChar(CP_ACP, 0, linkFile.c_str(), -1, wide, MAX_PATH * 2);
            char path[MAX_PATH * 2] = {};
            if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH)))
                target = path;
            file->Release();
        }
        link->Release();
    }
    if (comReady)
        CoUninitialize();
    return target;
}

namespace {

const char* const StartMenuFolder = "AppData\\Roaming\\Microsoft\\Windows\\Start Menu";

} // namespace

TShellFolderFixture::TShellFolderFixture()
    : Scratch("kalkomat-shellfolders"), GrpConv(GrpConvKey),
      UserDesktop(UserShellFoldersKey, "Desktop", Stray, "%USERPROFILE%\\Desktop"),
      UserSendTo(UserShellFoldersKey, "SendTo", Stray,
                 "%USERPROFILE%\\AppData\\Roaming\\Microsoft\\Windows\\SendTo"),
      UserStartMenu(UserShellFoldersKey, "Start Menu", Stray,
                    std::string("%USERPROFILE%\\") + StartMenuFolder),
      UserPrograms(UserShellFoldersKey, "Programs", Stray,
                   std::string("%USERPROFILE%\\") + StartMenuFolder + "\\Programs"),
      Desktop(ShellFoldersKey, "Desktop", Stray, ProfileFolder("Desktop")),
      SendTo(ShellFoldersKey, "SendTo", Stray, ProfileFolder("AppData\\Roaming\\Microsoft\\Windows\\SendTo")),
      StartMenu(ShellFoldersKey, "Start Menu", Stray, ProfileFolder(StartMenuFolder)),
      Programs(ShellFoldersKey, "Programs", Stray,
               ProfileFolder(std::string(StartMenuFolder) + "\\Programs")),
      QuickLaunch(ShellFoldersKey, "Quick Launch"), MapGroups(MapGroupsKey, "Quick Launch") {
    for (const char* name : {"Desktop", "SendTo", "StartMenu", "Programs", "QuickLaunch", "MapGroups"})
        MakeFolders(Folder(name));
    UserDesktop.Set(Folder("Desktop"), REG_EXPAND_SZ);
    UserSendTo.Set(Folder("SendTo"), REG_EXPAND_SZ);
    UserStartMenu.Set(Folder("StartMenu"), REG_EXPAND_SZ);
    UserPrograms.Set(Folder("Programs"), REG_EXPAND_SZ);
    Desktop.Set(Folder("Desktop"));
    SendTo.Set(Folder("SendTo"));
    StartMenu.Set(Folder("StartMenu"));
    Programs.Set(Folder("Programs"));
    QuickLaunch.Set(Folder("QuickLaunch"));
    MapGroups.Remove();
}

TSavedRegValue& TShellFolderFixture::Value(const std::string& name) {
    if (name == "Desktop")
        return Desktop;
    if (name == "SendTo")
        return SendTo;
    if (name == "StartMenu")
        return StartMenu;
    if (name == "Programs")
        return Programs;
    if (name == "QuickLaunch")
        return QuickLaunch;
    if (name == "MapGroups")
        return MapGroups;
    throw std::invalid_argument(name);
}
