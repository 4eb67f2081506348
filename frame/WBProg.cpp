#include "frame/WBProg.h"

#include "frame/fWBGetKennwort.h"
#include "frame/fWBPInfo.h"
#include "scoring/textfields.h"
#include "shell/WBSystem.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

std::unique_ptr<TWBProg> ProgContext;
std::unique_ptr<TWBUser> WBUser;
TWBFormatSettings WBFormatSettings;

namespace {

// The longest value the profile functions hand over: 2047 characters and the terminating zero.
constexpr DWORD ProfileValueSize = 2048;

std::string ReadProfileString(const std::string& file, const char* section, const char* key) {
    std::vector<char> buffer(ProfileValueSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section, key, "", buffer.data(), ProfileValueSize, file.c_str());
    return std::string(buffer.data(), length);
}

// One value of the German Windows-1252 string table; nullopt when the block lacks it.
std::optional<std::string> QueryVersionString(const std::vector<char>& block, const char* name) {
    const std::string path = std::string("\\StringFileInfo\\040704E4\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr)
        return std::nullopt;
    // The value lies in the block; its length counts the terminating zero where there is one. A damaged
    // block may claim more than it holds: never read past the zero or the block's end.
    const char* const end = block.data() + block.size();
    if (value < block.data() || value >= end)
        return std::nullopt;
    const std::size_t available = static_cast<std::size_t>(end - value);
    return std::string(value, strnlen(value, std::min<std::size_t>(length, available)));
}

void FillFormatSettings() {
    WBFormatSettings = TWBFormatSettings{};
    WBFormatSettings.DecimalSeparator = ',';
    WBFormatSettings.ThousandSeparator = '.';
    WBFormatSettings.DateSeparator = '.';
    WBFormatSettings.ShortDateFormat = "dd.mm.yyyy";
    WBFormatSettings.TimeSeparator = ':';
    WBFormatSettings.CurrencyDecimals = 2;
    WBFormatSettings.CurrencyString = "";
}

} // namespace

TWBProg::TWBProg() : ExePath(GetExeName()) {}

TWBProg::TWBProg(std::string exeName) : ExePath(std::move(exeName)) {}

std::string TWBProg::GetExeDir() const {
    const std::size_t slash = ExePath.find_last_of('\\');
    return IncludeBackslash(slash == std::string::npos ? std::string() : ExePath.substr(0, slash + 1));
}

std::string TWBProg::GetDefaultDataDir() const {
    std::string dir;
    const std::string appData = Portable ? std::string() : GetAppDataDir();
    if (!appData.empty())
        dir = IncludeBackslash(appData) + "Wembrik Software\\" + ProductName;
    else
        dir = GetExeDir() + "Daten";
    return IncludeBackslash(dir);
}

void TWBProg::ReadVersionInfo() {
    if (ExePath.empty())
        return;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(ExePath.c_str(), &ignored);
    if (size == 0)
        return;
    std::vector<char> block(size, '\0');
    if (!GetFileVersionInfoA(ExePath.c_str(), 0, size, block.data()))
        return;
    const std::pair<const char*, std::string*> values[] = {
        {"InternalName", &InternalName},
        {"ProductVersion", &ProductVersion},
        {"ProductName", &ProductName},
        {"LegalCopyright", &LegalCopyright},
    };
    for (const auto& [name, field] : values)
        if (std::optional<std::string> value = QueryVersionString(block, name))
            *field = *value;
}

bool TWBProg::ReadPortableFlag() const {
    const std::string dir = GetExeDir();
    // Without a folder the profile functions would look in the Windows folder instead.
    if (dir.empty())
        return false;
    return ReadInteger(ReadProfileString(dir + "setup.ini", "SETUP", "PV")) == 1;
}

void TWBProg::ComputeSettings() {
    Portable = ReadPortableFlag();
    RegKey = "Software\\Wembrik Software\\" + ProductName;
    RegKey2 = RegKey;
    DataDir = Portable ? GetExeDir() + "Daten\\" : IncludeBackslash(GetDefaultDataDir());
    // Empty when the system names no usable temporary folder (or the product name is empty or unsafe):
    // a bare name would be removed from the current directory at the end, the bare folder would lose
    // everything in it.
    TempDir = SubfolderToRemove(GetTempDir(), ProductName);
}

std::string TWBProg::GetAccessFileName() const { return ChangeFileExt(ExePath, ".wbl"); }

void TWBProg::ReadAccessFile() {
    // A relative name would make the profile functions look in the Windows folder.
    const std::string file = GetAccessFileName();
    if (!IsFullyQualifiedPath(file)) {
        PWAdmin.clear();
        PWProg.clear();
        return;
    }
    PWAdmin = ReadProfileString(file, "Lizenz", "PWAdmin");
    PWProg = ReadProfileString(file, "Lizenz", "PWProg");
}

std::string TWBProg::AskPassword(const std::string& title, const std::string& text) const {
    // The dialog lives for this call only; the global names it meanwhile.
    TfrmWBGetKennwort dialog;
    frmWBGetKennwort = &dialog;
    std::string entry;
    try {
        entry = dialog.Execute(title, text);
    } catch (...) {
        entry.clear();
    }
    frmWBGetKennwort = nullptr;
    return entry;
}

bool TWBProg::CheckProgramPassword() {
    ReadAccessFile();
    if (PWProg.empty())
        return true;
    // One attempt, compared exactly: case counts, nothing is trimmed.
    if (AskPassword("Programmkennwort", "") == PWProg)
        return true;
    ShowMessage("Sie haben ein ungültiges Kennwort eingegeben\rund dürfen das Programm nicht verwenden.");
    return false;
}

void TWBProg::ShowProgramInfo(const std::string& title) const {
    TfrmWBPInfoFRM dialog;
    frmWBPInfoFRM = &dialog;
    try {
        dialog.ShowInfo(title);
    } catch (...) {
        // the dialog reports nothing
    }
    frmWBPInfoFRM = nullptr;
}

void WBProgStartup() {
    ProgContext = std::make_unique<TWBProg>();
    WBUser = std::make_unique<TWBUser>();
    FillFormatSettings();
    ProgContext->ReadVersionInfo();
    ProgContext->ComputeSettings();
    if (!ProgContext->CheckProgramPassword())
        Application.Terminate(); // the message loop ends at its first turn; start-up goes on
}

void WBProgShutdown() {
    try {
        if (ProgContext && !ProgContext->TempDir.empty())
            DeleteFolder(ProgContext->TempDir);
        ProgContext.reset();
        WBUser.reset();
    } catch (...) {
        // dropped without a message
    }
    WBFormatSettings = TWBFormatSettings{};
}
