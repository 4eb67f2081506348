#include "ui/Application.h"

#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>

TApplication Application;

namespace {

std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // truncated: try again with more room
    }
}

std::string BaseNameWithoutExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

TApplication::TApplication()
    : Title(BaseNameWithoutExtension(ModulePath())), InstanceHandle(GetModuleHandleA(nullptr)) {}

TApplication::~TApplication() { FreeForms(); }

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    IconHandle = LoadIconA(InstanceHandle, "MAINICON");
    if (!IconHandle)
        IconHandle = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}

std::string TApplication::ExeName() const { return ModulePath(); }

HWND TApplication::Handle() const { return Main ? Main->Handle() : nullptr; }

void TApplication::FreeForms() {
    while (!Forms.empty()) {
        auto entry = std::move(Forms.back());
        Forms.pop_back();
        entry.first.reset();
        entry.second();
    }
}

void TApplication::Run() {
    if (Main)
        Main->Show();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    QuitSeen = true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            QuitSeen = true;
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool TApplication::RegisterWindowClass(const char* name, WNDPROC procedure, HCURSOR cursor) {
    if (std::find(Registered.begin(), Registered.end(), name) != Registered.end())
        return true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = InstanceHandle;
    windowClass.hIcon = IconHandle;
    windowClass.hCursor = cursor ? cursor : LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.lpszClassName = name;
    if (!RegisterClassExA(&windowClass))
        return false;
    Registered.emplace_back(name);
    return true;
}

void Beep() { MessageBeep(MB_OK); }

char UserDecimalSeparator() {
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof(separator)) < 2)
        return '.';
    return separator[0];
}

int CurrentYear() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wYear;
}
