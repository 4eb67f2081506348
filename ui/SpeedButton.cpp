#include "ui/SpeedButton.h"

#include "ui/Form.h"

#include <windowsx.h>

namespace {

constexpr char SpeedButtonClass[] = "TSpeedButton";
constexpr COLORREF GlyphTransparent = RGB(255, 0, 255);

} // namespace

bool TSpeedButton::CreateButton(TForm& form, const TBounds& bounds, const std::string& caption) {
    if (!Application.RegisterWindowClass(SpeedButtonClass, &TSpeedButton::WindowProc))
        return false;
    Cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    return CreateHandle(form, SpeedButtonClass, caption, 0, 0, bounds);
}

bool TSpeedButton::CreateGlyph(TForm& form, const TBounds& bounds, const char* glyphResource) {
    Glyph.reset(static_cast<HBITMAP>(
        LoadImageA(Application.Instance(), glyphResource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return CreateButton(form, bounds, "");
}

bool TSpeedButton::CreateCaption(TForm& form, const TBounds& bounds, const std::string& caption,
                                 const TFontSpec& font, TColor color) {
    CaptionColor = color;
    SetOwnFont(MakeFont(font));
    return CreateButton(form, bounds, caption);
}

LRESULT CALLBACK TSpeedButton::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* button = dynamic_cast<TSpeedButton*>(TControl::FromHandle(window));
    if (!button)
        return DefWindowProcA(window, message, wParam, lParam);
    try {
        return button->Dispatch(message, wParam, lParam);
    } catch (...) {
        return 0; // no exception may leave a window procedure
    }
}

LRESULT TSpeedButton::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return Paint();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return MouseDown();
    case WM_MOUSEMOVE:
        return MouseMoved(lParam);
    case WM_LBUTTONUP:
        return MouseUp(lParam);
    case WM_MOUSELEAVE:
        return MouseLeft();
    case WM_CAPTURECHANGED:
        Pressed = false;
        Redraw();
        return 0;
    case BM_CLICK:
        Click();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(CurrentFont());
    case WM_SETTEXT:
        Redraw();
        break;
    }
    return DefWindowProcA(Hwnd, message, wParam, lParam);
}

bool TSpeedButton::Inside(LPARAM lParam) const {
    RECT r{};
    GetClientRect(Hwnd, &r);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&r, at) != FALSE;
}

LRESULT TSpeedButton::MouseDown() {
    // No SetFocus: the focus stays where it is.
    Pressed = true;
    SetCapture(Hwnd);
    Redraw();
    return 0;
}

LRESULT TSpeedButton::MouseMoved(LPARAM lParam) {
    const bool inside = Inside(lParam);
    if (inside != MouseInside) {
        MouseInside = inside;
        Redraw();
    }
    if (inside) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Hwnd, 0};
        TrackMouseEvent(&track);
    }
    return 0;
}

LRESULT TSpeedButton::MouseUp(LPARAM lParam) {
    const bool clicked = Pressed && Inside(lParam);
    Pressed = false;
    if (GetCapture() == Hwnd)
        ReleaseCapture();
    Redraw();
    if (clicked)
        Click(); // last: the handler may close the form
    return 0;
}

LRESULT TSpeedButton::MouseLeft() {
    MouseInside = false;
    Redraw();
    return 0;
}

LRESULT TSpeedButton::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd, &ps);
    RECT r{};
    GetClientRect(Hwnd, &r);
    FillRect(dc, &r, Owner->PaintBackgroundUnder(dc, Hwnd));
    const bool down = Pressed && MouseInside;
    if (down || MouseInside)
        DrawEdge(dc, &r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    const int shift = down ? 1 : 0;
    if (Glyph) {
        BITMAP info{};
        GetObjectA(Glyph.get(), sizeof(info), &info);
        TMemoryDc source(CreateCompatibleDC(dc));
        TSelect select(source.get(), Glyph.get());
        const int x = (r.right - info.bmWidth) / 2 + shift;
        const int y = (r.bottom - info.bmHeight) / 2 + shift;
        TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, source.get(), 0, 0, info.bmWidth, info.bmHeight,
                       GlyphTransparent);
    } else {
        const std::string caption = Text();
        TSelect select(dc, CurrentFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, CaptionColor.ToRgb());
        OffsetRect(&r, shift, shift);
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
                  DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
    }
    EndPaint(Hwnd, &ps);
    return 0;
}
