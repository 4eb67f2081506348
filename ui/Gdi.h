// Owners for GDI objects, colours and fonts by pixel height.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

struct TGdiDelete {
    void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <typename H> using TGdiOwner = std::unique_ptr<std::remove_pointer_t<H>, TGdiDelete>;
using TFontOwner = TGdiOwner<HFONT>;
using TBrushOwner = TGdiOwner<HBRUSH>;
using TBitmapOwner = TGdiOwner<HBITMAP>;
using TRegionOwner = TGdiOwner<HRGN>;

struct TDcDelete {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using TMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, TDcDelete>;

// Selects an object into a DC for one scope and puts the old one back.
class TSelect {
public:
    TSelect(HDC dc, HGDIOBJ object) : Dc(dc), Old(SelectObject(dc, object)) {}
    ~TSelect() { SelectObject(Dc, Old); }
    TSelect(const TSelect&) = delete;
    TSelect& operator=(const TSelect&) = delete;

private:
    HDC Dc;
    HGDIOBJ Old;
};

// A colour, or the system's window-text colour, which is looked up when it is used.
struct TColor {
    bool System = false;
    COLORREF Rgb = 0;
    COLORREF ToRgb() const { return System ? GetSysColor(COLOR_WINDOWTEXT) : Rgb; }
};
inline constexpr TColor clWindowText{true, 0};
inline constexpr TColor clBlack{false, RGB(0, 0, 0)};
inline constexpr TColor clGray{false, RGB(128, 128, 128)};
inline constexpr TColor clRed{false, RGB(255, 0, 0)};
inline constexpr TColor clSilver{false, RGB(192, 192, 192)};
inline constexpr TColor clWhite{false, RGB(255, 255, 255)};
inline constexpr TColor clNavy{false, RGB(0, 0, 128)};

// A font by its character (em) height in pixels, as the layout gives it; never scaled to the system's
// text size.
struct TFontSpec {
    int Height = 12;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    const char* Face = "Arial";
};
// Western (Windows-1252) character set; nullptr when the system has no font left.
TFontOwner MakeFont(const TFontSpec& font);

// The size a text takes in `font`; with `wrapWidth` above 0 the text is broken into lines of that width.
SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth = 0);
