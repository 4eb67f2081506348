#include "ui/ToolTips.h"

#include <commctrl.h>

namespace {

// The structure size that every common-controls version accepts.
TTTOOLINFOA ToolInfo(HWND owner, HWND tool) {
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND; // the form relays the mouse messages: no subclass chain
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    return info;
}

} // namespace

bool TToolTips::Add(HWND owner, HWND tool, const std::string& text) {
    if (!Hwnd) {
        Hwnd = CreateWindowExA(
            WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!Hwnd)
            return false;
        Owner = owner;
        // A maximum width makes the tip break its text at the line breaks.
        SendMessageA(Hwnd, TTM_SETMAXTIPWIDTH, 0, 600);
        // Long texts need time to be read.
        SendMessageA(Hwnd, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(30000, 0));
    }
    TTTOOLINFOA info = ToolInfo(Owner, tool);
    info.lpszText = const_cast<char*>(text.c_str()); // the tool tip keeps its own copy
    if (!SendMessageA(Hwnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)))
        return false;
    Texts.emplace_back(tool, text);
    return true;
}

void TToolTips::Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) const {
    if (!Hwnd)
        return;
    MSG msg{};
    msg.hwnd = tool;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(GetMessageTime());
    GetCursorPos(&msg.pt);
    SendMessageA(Hwnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

std::string TToolTips::TextOf(HWND tool) const {
    for (const auto& [window, text] : Texts)
        if (window == tool)
            return text;
    return {};
}
