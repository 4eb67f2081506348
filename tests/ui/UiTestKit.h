// Helpers for tests that drive real windows in the test process: pumping messages, posting keys, clicks
// and characters the way the system delivers them, and catching the modal boxes that appear.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace uitest {

// Wine waits two seconds at every window it hides for a window manager to confirm, and the virtual display
// the tests run on has none. The windows of this test program are therefore left unmanaged: Wine reads
// the setting for the program when the first window is made, so call this before. Nothing on Windows.
inline void LeaveWindowsUnmanaged() {
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        return;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const char* name = path;
    for (const char* c = path; *c; ++c)
        if (*c == '\\' || *c == '/')
            name = c + 1;
    const std::string keyName = std::string("Software\\Wine\\AppDefaults\\") + name + "\\X11 Driver";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
}

// Dispatches what is queued (with TranslateMessage, as a message loop does) for at least `ms` ms.
inline void Pump(int ms = 0) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) { // keep it for whoever asks
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (ms > 0)
            Sleep(1);
    } while (std::chrono::steady_clock::now() < until);
}

// Pumps until `done` holds or `ms` ms have passed; the result of `done` at the end.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        Pump();
        Sleep(1);
    }
    return true;
}

// Removes a waiting quit request; true when there was one.
inline bool TakeQuitMessage() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// A key pressed and released on the window that has the focus, through the queue: the key-down is
// translated into its character as in any message loop.
inline void PressKey(WORD key, bool shift = false) {
    BYTE state[256] = {};
    GetKeyboardState(state);
    const BYTE oldShift = state[VK_SHIFT];
    if (shift) {
        state[VK_SHIFT] = 0x80;
        SetKeyboardState(state);
    }
    HWND target = GetFocus();
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    Pump();
    PostMessageA(GetFocus(), WM_KEYUP, key, 1 | (scan << 16) | (1u << 30) | (1u << 31));
    Pump();
    if (shift) {
        GetKeyboardState(state);
        state[VK_SHIFT] = oldShift;
        SetKeyboardState(state);
    }
}

// Characters typed into a window, one WM_CHAR each, through the queue.
inline void TypeText(HWND target, const std::string& text) {
    for (const char c : text) {
        PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
        Pump();
    }
}

// A left click at a point of a window's client area.
inline void Click(HWND target, int x, int y) {
    PostMessageA(target, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

inline std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

inline std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

inline RECT ScreenRectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// What a modal message box showed.
struct TBox {
    std::string Caption;
    std::string Text;
    std::vector<std::string> Buttons; // captions, in creation order
    bool HasIcon = false;
    RECT Rect{};
    HWND Owner = nullptr;
    std::string Seen; // what the catcher's Snapshot returned while the box was open
};

// Catches every message box (#32770) of this thread while it lives: records it, then presses the button
// `Answer` (IDOK by default). It works from a thread timer, which the box's own modal loop dispatches, so
// the real box must appear and be closed as a user would.
class TBoxCatcher {
public:
    explicit TBoxCatcher(int answer = IDOK) : Answer(answer) {
        Active = this;
        Timer = SetTimer(nullptr, 0, 10, &TBoxCatcher::Tick);
    }
    ~TBoxCatcher() {
        KillTimer(nullptr, Timer);
        Active = nullptr;
    }
    TBoxCatcher(const TBoxCatcher&) = delete;
    TBoxCatcher& operator=(const TBoxCatcher&) = delete;

    int Answer;
    std::function<std::string()> Snapshot; // what to note down while a box is open
    std::vector<TBox> Boxes;

private:
    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && ClassOf(window) == "#32770") {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TBoxCatcher* self = Active;
        HWND box = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &TBoxCatcher::FindBox, reinterpret_cast<LPARAM>(&box));
        if (!self || !box || GetPropA(box, "uitest.seen"))
            return;
        SetPropA(box, "uitest.seen", reinterpret_cast<HANDLE>(1));
        TBox seen;
        seen.Caption = WindowText(box);
        seen.Rect = ScreenRectOf(box);
        seen.Owner = GetWindow(box, GW_OWNER);
        HWND answerButton = nullptr;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const std::string kind = ClassOf(child);
            const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
            if (kind == "Button" && IsWindowVisible(child)) {
                seen.Buttons.push_back(WindowText(child));
                if (GetDlgCtrlID(child) == self->Answer)
                    answerButton = child;
            } else if (kind == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
                seen.HasIcon =
                    seen.HasIcon || (IsWindowVisible(child) && SendMessageA(child, STM_GETICON, 0, 0));
            } else if (kind == "Static" && !WindowText(child).empty()) {
                seen.Text = WindowText(child);
            }
        }
        if (self->Snapshot)
            seen.Seen = self->Snapshot();
        self->Boxes.push_back(seen);
        if (answerButton)
            SendMessageA(answerButton, BM_CLICK, 0, 0);
        else
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(self->Answer), 0);
    }

    static inline TBoxCatcher* Active = nullptr;
    UINT_PTR Timer = 0;
};

} // namespace uitest
