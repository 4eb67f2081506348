#include "ui/Control.h"

#include "ui/Form.h"

namespace {

bool IsFormWindow(HWND window) {
    return window &&
           GetClassLongPtrA(window, GCLP_WNDPROC) == reinterpret_cast<ULONG_PTR>(&TForm::WindowProc);
}

bool SetCursorOf(const TControl& control, LPARAM lParam) {
    HCURSOR cursor = Application.Cursor ? Application.Cursor : control.Cursor;
    if (!cursor || (!Application.Cursor && LOWORD(lParam) != HTCLIENT))
        return false;
    SetCursor(cursor);
    return true;
}

} // namespace

// Every control of a form runs through here first: the form previews its keys (key preview, Tab, the
// dialog keys), the control's own key-press handler may discard a character, and the form's tool tips
// see the mouse. The control's own procedure is replaced directly rather than through the common
// controls' subclass chain, which on Wine costs a trip to the window system for every message.
LRESULT CALLBACK TControl::ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control || control->Hwnd != window || !control->OriginalProc)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        TForm* form = control->Owner;
        switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (form && form->PreviewKeyDown(control, static_cast<WORD>(wParam)))
                return 0;
            break;
        case WM_CHAR: {
            char key = static_cast<char>(wParam);
            if (form && form->PreviewChar(control, key))
                return 0;
            wParam = static_cast<unsigned char>(key);
            break;
        }
        case WM_SETCURSOR:
            if (SetCursorOf(*control, lParam))
                return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (form)
                form->RelayToHints(window, message, wParam, lParam);
            if (control->OnMouseMove)
                control->OnMouseMove(*control);
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
            if (form)
                form->RelayToHints(window, message, wParam, lParam);
            break;
        }
    } catch (...) {
        return 0; // no exception may leave a window procedure
    }
    return CallWindowProcA(control->OriginalProc, window, message, wParam, lParam);
}

TControl::~TControl() {
    if (IsWindow(Hwnd)) // the form may have destroyed it already
        DestroyWindow(Hwnd);
}

TControl* TControl::FromHandle(HWND window) {
    // Only the direct children of our forms carry a wrapper; a combo box's list, for one, does not.
    if (!window || !IsFormWindow(GetAncestor(window, GA_PARENT)))
        return nullptr;
    auto* control = reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return control && control->Hwnd == window ? control : nullptr;
}

TBounds TControl::Bounds() const {
    RECT r{};
    if (!Hwnd || !GetWindowRect(Hwnd, &r))
        return {};
    MapWindowPoints(nullptr, GetAncestor(Hwnd, GA_PARENT), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void TControl::SetBounds(const TBounds& b) {
    SetWindowPos(Hwnd, nullptr, b.Left, b.Top, b.Width, b.Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string TControl::Text() const {
    if (!Hwnd)
        return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(Hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(Hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TControl::SetTabStop(bool stop) {
    LONG_PTR style = GetWindowLongPtrA(Hwnd, GWL_STYLE);
    style = stop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrA(Hwnd, GWL_STYLE, style);
}

bool TControl::CreateHandle(TForm& form, const char* windowClass, const std::string& text, DWORD style,
                            DWORD exStyle, const TBounds& b) {
    Owner = &form;
    Hwnd = CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.Left, b.Top,
                           b.Width, b.Height, form.Handle(), nullptr, Application.Instance(), nullptr);
    if (!Hwnd)
        return false;
    SetWindowLongPtrA(Hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(Hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), FALSE);
    OriginalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(Hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::ControlProc)));
    return true;
}

void TControl::SetOwnFont(TFontOwner font) {
    TFontOwner old = std::move(OwnFont); // freed only after the window has let go of it
    OwnFont = std::move(font);
    if (Hwnd)
        SendMessageA(Hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(CurrentFont()), TRUE);
}

HFONT TControl::CurrentFont() const {
    if (OwnFont)
        return OwnFont.get();
    return Owner ? Owner->Font() : nullptr;
}
