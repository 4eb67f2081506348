#include "shell/WBSystem.h"

#include <shlobj.h>
#include <shellapi.h>

#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <memory>
#include <vector>

static_assert(sizeof("ö") == 2, "build with -fexec-charset=CP1252");

namespace {

struct TComRelease {
    void operator()(IUnknown* p) const { p->Release(); }
};
template <typename I> using TComPtr = std::unique_ptr<I, TComRelease>;

// Balances one successful CoInitialize (S_FALSE included) on every way out.
struct TComApartment {
    TComApartment() = default;
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    ~TComApartment() { CoUninitialize(); }
};

struct TRegKeyClose {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using TRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, TRegKeyClose>;

// COM wants UTF-16 here; the text is Windows-1252 (the system's single-byte code page).
std::wstring Widen(const std::string& text) {
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

void ShowPlainMessage(const std::string& text) { ShowMessage(text); }

// The confirmation is modal to the window the user is working in (the calculator, for its menu).
bool AskYesNo(const std::string& text) { return ConfirmYesNo(GetActiveWindow(), text, Application.Title); }

const char* const ExplorerKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";
const char* const GrpConvKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv";

// A string value of a key below HKEY_CURRENT_USER, or empty text. The key is opened for reading only:
// the routine never writes the registry, so it has no reason to create keys that are missing.
std::string ReadUserRegString(const std::string& keyPath, const char* valueName) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return {};
    TRegKey key(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return {};
    // One zero more than asked for: a stored value need not end with its own.
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return {};
    return std::string(buffer.data());
}

struct TLocationRow {
    const char* ValueName; // the "Shell Folders" value that names the folder
    const char* Label;     // the location's name in the messages
    bool SubfolderAllowed;
};

const TLocationRow LocationRows[] = {
    {"Desktop", "Desktop", true},
    {"Quick Launch", "Quick Launch (SysTray) area", false},
    {"SendTo", "SendTo menu", true},
    {"Start Menu", "Start Menu", false},
    {"Programs", "\"Start | Programs\" menu", true},
};

// The work of CreateProgramShortcut once COM is up; every COM object is gone when it returns, before the
// caller releases COM.
bool PlaceShortcut(const std::string& target, const std::string& workingDir, const std::string& linkName,
                   const std::string& subFolder, TShortcutLocation location, bool silent) {
    IShellLinkA* rawLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&rawLink))) ||
        rawLink == nullptr) {
        ShowPlainMessage("Could not create shortcut to " + target);
        return false;
    }
    TComPtr<IShellLinkA> link(rawLink);
    link->SetPath(target.c_str());
    if (!workingDir.empty() && FolderExists(workingDir))
        link->SetWorkingDirectory(workingDir.c_str());

    const std::string name = ShortcutLinkName(linkName, target);
    const TLocationRow& row = LocationRows[location <= slPrograms ? location : slDesktop];
    std::string folder;
    if (location == slQuickLaunch)
        folder = ReadUserRegString(std::string(GrpConvKey) + "\\MapGroups", "Quick Launch");
    const std::string shellFolders = std::string(ExplorerKey) + "\\Shell Folders";
    const std::string desktop = ReadUserRegString(shellFolders, "Desktop");
    if (folder.empty())
        folder = ReadUserRegString(shellFolders, row.ValueName);
    if (folder.empty())
        folder = desktop;
    if (folder.empty()) {
        ShowPlainMessage("Could not determine where to create new shortcut!");
        return false;
    }

    const std::string label = row.Label;
    std::string message = "Added shortcut \"" + name + "\" to the " + label;
    if (!subFolder.empty() && row.SubfolderAllowed) {
        const std::string inside = JoinPath(folder, subFolder);
        if (FolderExists(inside)) {
            folder = inside;
            message += " in the subfolder \"" + subFolder + "\"";
        } else {
            message = "\"" + subFolder + "\" is not a subfolder of the " + label +
                      ". Added the shortcut directly instead.";
        }
    }

    bool result = CreateShortcut(link.get(), name, folder);
    if (!result)
        message = "Could not create shortcut to " + target;
    if (!result || !silent)
        ShowPlainMessage(message);

    // An exact comparison: a desktop folder spelt differently counts as another folder.
    if (!desktop.empty() && desktop != folder &&
        AskYesNo("Möchten Sie auch ein Symbol auf dem Desktop einfügen?")) {
        if (CreateShortcut(link.get(), name, desktop)) {
            result = true;
            message = "Desktop shortcut to " + target + " successfully created!";
        } else {
            message = "Could not create desktop shortcut to " + target;
        }
        if (!result || !silent)
            ShowPlainMessage(message);
    }
    return result;
}

} // namespace

std::string GetSpecialFolder(int folderId) {
    try {
        // The owner window is reserved by the shell for this call; no window of ours is needed.
        PIDLIST_ABSOLUTE list = nullptr;
        SHGetSpecialFolderLocation(nullptr, folderId, &list);
        if (list == nullptr)
            return {};
        char buffer[MAX_PATH] = {};
        std::string result;
        if (SHGetPathFromIDListA(list, buffer))
            result = buffer;
        IMalloc* rawMalloc = nullptr;
        if (SUCCEEDED(SHGetMalloc(&rawMalloc)) && rawMalloc != nullptr) {
            TComPtr<IMalloc> allocator(rawMalloc);
            allocator->Free(list);
        }
        return result;
    } catch (...) {
        return {};
    }
}

std::string GetAppDataDir() { return GetSpecialFolder(CSIDL_APPDATA_FOLDER); }

std::string GetTempDir() {
    char buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    // 0 is a failure; a length of the buffer or more is the size the path would need, and the buffer
    // then holds nothing usable.
    if (length == 0 || length >= sizeof buffer)
        return {};
    std::string dir(buffer, length);
    return IsFullyQualifiedPath(dir) ? dir : std::string();
}

std::string GetExeName() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::string(buffer.data(), length);
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool DeleteFolder(const std::string& path) {
    try {
        if (!FolderExists(path) || !IsDeletableFolderPath(path))
            return false;
        // The shell takes a list of names, each ending with a zero and the list with one more. The buffer
        // fits the path, however long; the shell itself refuses what it cannot handle.
        std::vector<char> from(path.begin(), path.end());
        from.push_back('\0');
        from.push_back('\0');
        SHFILEOPSTRUCTA operation = {};
        operation.hwnd = nullptr;
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.data();
        operation.pTo = nullptr;
        operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO; // 0x54
        return SHFileOperationA(&operation) == 0;
    } catch (...) {
        return false;
    }
}

bool CreateShortcut(IShellLinkA* link, const std::string& linkName, const std::string& folder) {
    if (link == nullptr)
        return false;
    IPersistFile* rawFile = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&rawFile))) ||
        rawFile == nullptr)
        return false;
    TComPtr<IPersistFile> file(rawFile);
    std::string suffix;
    for (int attempt = 1; attempt <= 3; ++attempt) {
        const std::string path = JoinPath(folder, linkName + suffix + ".lnk");
        if (SUCCEEDED(file->Save(Widen(path).c_str(), FALSE)))
            return true;
        suffix = " (" + std::to_string(attempt) + ")";
    }
    return false;
}

bool CreateProgramShortcut(const std::string& target, const std::string& workingDir,
                           const std::string& linkName, const std::string& subFolder,
                           TShortcutLocation location, bool silent) {
    const HRESULT init = CoInitialize(nullptr);
    if (init != S_OK && init != S_FALSE) {
        ShowPlainMessage("Could not initialize OLE COM Library");
        return false;
    }
    TComApartment apartment;
    try {
        return PlaceShortcut(target, workingDir, linkName, subFolder, location, silent);
    } catch (...) {
        return false;
    }
}
