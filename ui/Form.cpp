#include "ui/Form.h"

#include "ui/Menus.h"

#include <windowsx.h>

namespace {

bool IsUsableStop(HWND window) {
    return window && IsWindowVisible(window) && IsWindowEnabled(window) &&
           (GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP);
}

bool IsEditWindow(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, "Edit") == 0;
}

bool KeyIsDown(int key) { return GetKeyState(key) < 0; }

POINT CentredOn(const RECT& area, int width, int height) {
    return {area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2};
}

RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

} // namespace

TForm::~TForm() {
    if (IsWindow(Hwnd))
        DestroyWindow(Hwnd);
    if (BackgroundDc)
        SelectObject(BackgroundDc.get(), BackgroundDcDefault); // the bitmap is freed outside the DC
}

std::string TForm::Caption() const {
    char text[512] = {};
    GetWindowTextA(Hwnd, text, sizeof(text));
    return text;
}

SIZE TForm::ClientSize() const {
    RECT r{};
    GetClientRect(Hwnd, &r);
    return {r.right, r.bottom};
}

bool TForm::CreateForm(const char* windowClass, const std::string& caption, DWORD style, DWORD exStyle,
                       int clientWidth, int clientHeight, HWND owner, const TFontSpec& font) {
    if (!Application.RegisterWindowClass(windowClass, &TForm::WindowProc))
        return false;
    WindowFont = MakeFont(font);
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT at = CentredOn(ScreenRect(), width, height);
    // WM_NCCREATE stores the form in the window, so Hwnd is set from the first message on.
    return CreateWindowExA(exStyle, windowClass, caption.c_str(), style, at.x, at.y, width, height, owner,
                           nullptr, Application.Instance(), this) != nullptr;
}

LRESULT CALLBACK TForm::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->Hwnd = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        form->Hwnd = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    try {
        return form->Dispatch(message, wParam, lParam);
    } catch (...) {
        return 0; // no exception may leave a window procedure
    }
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // WM_PAINT paints the whole background at once
    case WM_PAINT:
        return Paint();
    case WM_COMMAND:
        return Command(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam,
                            lParam);
    case WM_DRAWITEM:
        return DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ACTIVATE:
        return Activate(wParam, lParam);
    case WM_SETFOCUS:
        return FocusReceived();
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return KeyDown(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return LeftButtonDown(wParam, lParam);
    case WM_MOUSEMOVE:
        return MouseMoved(wParam, lParam);
    case WM_CONTEXTMENU:
        return ContextMenu(reinterpret_cast<HWND>(wParam), lParam);
    case WM_SETCURSOR:
        return SetCursorFor(wParam, lParam);
    case WM_CLOSE:
        CloseRequested();
        return 0;
    }
    return DefWindowProcA(Hwnd, message, wParam, lParam);
}

LRESULT TForm::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd, &ps);
    EraseBackground(dc);
    EndPaint(Hwnd, &ps);
    return 0;
}

LRESULT TForm::EraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(Hwnd, &client);
    if (BackgroundDc)
        BitBlt(dc, 0, 0, client.right, client.bottom, BackgroundDc.get(), 0, 0, SRCCOPY);
    else
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
}

LRESULT TForm::Command(WPARAM wParam, LPARAM lParam) {
    if (TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam)))
        control->Notify(HIWORD(wParam));
    return 0;
}

LRESULT TForm::ControlColor(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (TControl* control = TControl::FromHandle(child))
        if (HBRUSH brush = control->CtlColor(dc))
            return reinterpret_cast<LRESULT>(brush);
    return DefWindowProcA(Hwnd, message, wParam, lParam);
}

LRESULT TForm::DrawItem(const DRAWITEMSTRUCT* item) {
    if (TControl* control = TControl::FromHandle(item->hwndItem))
        control->DrawItem(*item);
    return TRUE;
}

LRESULT TForm::Activate(WPARAM wParam, LPARAM) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Hwnd, focus))
            SavedFocus = focus; // given back when the form is active again
        return 0;
    }
    if (!HIWORD(wParam)) // not while minimised
        FocusReceived();
    return 0;
}

LRESULT TForm::FocusReceived() {
    if (SavedFocus && IsChild(Hwnd, SavedFocus) && IsWindowVisible(SavedFocus) && IsWindowEnabled(SavedFocus))
        ::SetFocus(SavedFocus);
    else
        SelectNext(nullptr, true);
    return 0;
}

LRESULT TForm::KeyDown(UINT message, WPARAM wParam, LPARAM lParam) {
    // The form itself has the focus (no control has yet): its keys are previewed all the same.
    if (PreviewKeyDown(nullptr, static_cast<WORD>(wParam)))
        return 0;
    return DefWindowProcA(Hwnd, message, wParam, lParam);
}

LRESULT TForm::LeftButtonDown(WPARAM wParam, LPARAM lParam) {
    if (!DragByBackground)
        return DefWindowProcA(Hwnd, WM_LBUTTONDOWN, wParam, lParam);
    // The system moves the window as if its title bar had been grabbed.
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Hwnd, &at);
    ReleaseCapture();
    SendMessageA(Hwnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    return 0;
}

LRESULT TForm::MouseMoved(WPARAM wParam, LPARAM lParam) {
    if (OnMouseMove)
        OnMouseMove(*this);
    return DefWindowProcA(Hwnd, WM_MOUSEMOVE, wParam, lParam);
}

LRESULT TForm::ContextMenu(HWND target, LPARAM where) {
    TControl* control = TControl::FromHandle(target);
    if (!control || !control->PopupMenu)
        return 0; // only the controls that carry a menu open one
    POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
    if (where == -1) { // from the keyboard: below the control's top left corner
        RECT r{};
        GetWindowRect(target, &r);
        at = {r.left, r.bottom};
    }
    control->PopupMenu->Popup(Hwnd, at);
    return 0;
}

LRESULT TForm::SetCursorFor(WPARAM wParam, LPARAM lParam) {
    if (Application.Cursor) {
        SetCursor(Application.Cursor);
        return TRUE;
    }
    return DefWindowProcA(Hwnd, WM_SETCURSOR, wParam, lParam);
}

bool TForm::PreviewKeyDown(TControl* control, WORD key) {
    if (KeyPreview && OnKeyDown) {
        struct TScope { // KeyControl() holds only while the handler runs, also when it throws
            TControl*& Slot;
            ~TScope() { Slot = nullptr; }
        } scope{PreviewedControl = control};
        OnKeyDown(*this, key);
        if (key == 0)
            return true;
    }
    if (key == VK_TAB && !KeyIsDown(VK_CONTROL) && !KeyIsDown(VK_MENU)) {
        SelectNext(control ? control->Handle() : nullptr, !KeyIsDown(VK_SHIFT));
        return true;
    }
    if (DialogKey(key))
        return true;
    return control && control->NavigationKey(key);
}

bool TForm::PreviewChar(TControl* control, char& key) {
    // Tab moved the focus on key-down; in a dialog Enter and Esc pressed a button there.
    if (key == '\t' || (Dialog && (key == '\r' || key == '\x1b')))
        return true;
    if (control && control->OnKeyPress) {
        control->OnKeyPress(*control, key);
        if (key == 0)
            return true;
    }
    return false;
}

HWND TForm::StopFor(HWND window) const {
    for (TControl* stop : TabOrder)
        if (window && (stop->Handle() == window || IsChild(stop->Handle(), window)))
            return stop->Handle();
    return nullptr;
}

bool TForm::SelectNext(HWND from, bool forward) {
    const int count = static_cast<int>(TabOrder.size());
    if (count == 0)
        return false;
    const HWND current = StopFor(from);
    int index = forward ? -1 : count;
    for (int i = 0; i < count; ++i)
        if (TabOrder[static_cast<std::size_t>(i)]->Handle() == current)
            index = i;
    for (int step = 1; step <= count; ++step) {
        const int next = ((index + (forward ? step : -step)) % count + count) % count;
        TControl& candidate = *TabOrder[static_cast<std::size_t>(next)];
        if (IsUsableStop(candidate.Handle())) {
            FocusStop(candidate);
            return true;
        }
    }
    return false;
}

void TForm::FocusStop(TControl& control) {
    control.SetFocus();
    if (IsEditWindow(control.Handle())) // entering a field by keyboard selects its text
        SendMessageA(control.Handle(), EM_SETSEL, 0, -1);
}

TControl* TForm::ActiveControl() const {
    TControl* control = TControl::FromHandle(GetFocus());
    return control && control->Form() == this ? control : nullptr;
}

void TForm::SetHint(TControl& control, const std::string& text) {
    ToolTips.Add(Hwnd, control.Handle(), text);
}

void TForm::MakeBackground(HBITMAP picture) {
    const SIZE size = ClientSize();
    HDC screen = GetDC(nullptr);
    if (!BackgroundDc) {
        BackgroundDc.reset(CreateCompatibleDC(screen));
        Background.reset(CreateCompatibleBitmap(screen, size.cx, size.cy));
        BackgroundDcDefault = SelectObject(BackgroundDc.get(), Background.get());
    }
    ReleaseDC(nullptr, screen);
    RECT all{0, 0, size.cx, size.cy};
    FillRect(BackgroundDc.get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    if (picture) {
        TMemoryDc source(CreateCompatibleDC(BackgroundDc.get()));
        TSelect select(source.get(), picture);
        BitBlt(BackgroundDc.get(), 0, 0, size.cx, size.cy, source.get(), 0, 0, SRCCOPY);
    }
}

void TForm::SetBackgroundPicture(HBITMAP picture) {
    MakeBackground(picture);
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TForm::PaintArea(const TBounds& area, TColor fill, std::optional<TColor> frame) {
    if (!BackgroundDc)
        MakeBackground(nullptr);
    RECT r{area.Left, area.Top, area.Right(), area.Top + area.Height};
    TBrushOwner fillBrush(CreateSolidBrush(fill.ToRgb()));
    FillRect(BackgroundDc.get(), &r, fillBrush.get());
    if (frame) {
        TBrushOwner frameBrush(CreateSolidBrush(frame->ToRgb()));
        FrameRect(BackgroundDc.get(), &r, frameBrush.get());
    }
    InvalidateRect(Hwnd, nullptr, TRUE);
}

HBRUSH TForm::PaintBackgroundUnder(HDC dc, HWND child) {
    if (!BackgroundDc)
        return GetSysColorBrush(COLOR_BTNFACE);
    POINT at{0, 0};
    MapWindowPoints(child, Hwnd, &at, 1);
    RECT r{};
    GetClientRect(child, &r);
    BitBlt(dc, 0, 0, r.right, r.bottom, BackgroundDc.get(), at.x, at.y, SRCCOPY);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

// --- TMainForm ---------------------------------------------------------------------------------------

TMainForm::~TMainForm() {
    if (Application.MainForm() == this)
        Application.SetMainForm(nullptr);
}

bool TMainForm::Create(const char* windowClass, const std::string& caption, int clientWidth, int clientHeight,
                       const TFontSpec& font) {
    // No frame and no title bar; the system menu and minimise box let the task bar minimise and restore it.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    if (!CreateForm(windowClass, caption, style, WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, clientWidth,
                    clientHeight, nullptr, font))
        return false;
    if (!Application.MainForm())
        Application.SetMainForm(this);
    SendMessageA(Hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Application.Icon()));
    SendMessageA(Hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Application.Icon()));
    return true;
}

void TForm::Show() {
    RECT r{};
    GetWindowRect(Hwnd, &r);
    const POINT at = CentredOn(ScreenRect(), r.right - r.left, r.bottom - r.top);
    SetWindowPos(Hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(Hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(Hwnd);
}

void TMainForm::CloseRequested() {
    ShowWindow(Hwnd, SW_HIDE);
    if (Application.MainForm() == this)
        Application.Terminate();
}

// --- TDialogForm -------------------------------------------------------------------------------------

bool TDialogForm::Create(const char* windowClass, const std::string& caption, int clientWidth,
                         int clientHeight, const TFontSpec& font) {
    HWND owner = Application.Handle();
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | (owner ? 0 : WS_EX_APPWINDOW);
    Dialog = true;
    return CreateForm(windowClass, caption, style, exStyle, clientWidth, clientHeight, owner, font);
}

int TDialogForm::ShowModal() {
    HWND owner = GetWindow(Hwnd, GW_OWNER);
    RECT r{};
    GetWindowRect(Hwnd, &r);
    RECT area = ScreenRect();
    if (owner && IsWindowVisible(owner))
        GetWindowRect(owner, &area);
    const POINT at = CentredOn(area, r.right - r.left, r.bottom - r.top);
    // Placed without activating it: activation gives the focus, which must go to the first control.
    SetWindowPos(Hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (FirstFocus)
        SavedFocus = FirstFocus->Handle();

    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner)
        EnableWindow(owner, FALSE);
    ModalResult = mrNone;
    ShowWindow(Hwnd, SW_SHOWNORMAL);
    SetForegroundWindow(Hwnd);
    MSG msg;
    while (ModalResult == mrNone && IsWindow(Hwnd)) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam)); // the application's loop must see it too
            ModalResult = mrCancel;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The owner is enabled before the dialog disappears, so that it becomes the active window again.
    if (disableOwner)
        EnableWindow(owner, TRUE);
    if (IsWindow(Hwnd))
        ShowWindow(Hwnd, SW_HIDE);
    return ModalResult == mrNone ? mrCancel : ModalResult;
}

bool TDialogForm::DialogKey(WORD key) {
    if (key == VK_RETURN) {
        if (DefaultButton && DefaultButton->Enabled())
            SendMessageA(DefaultButton->Handle(), BM_CLICK, 0, 0);
        return true;
    }
    if (key == VK_ESCAPE) {
        if (CancelButton && CancelButton->Enabled())
            SendMessageA(CancelButton->Handle(), BM_CLICK, 0, 0);
        return true; // without a cancel button Esc does nothing
    }
    return false;
}
