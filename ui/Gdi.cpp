#include "ui/Gdi.h"

TFontOwner MakeFont(const TFontSpec& font) {
    // A negative height asks for the em height, the character height without internal leading.
    return TFontOwner(CreateFontA(-font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                                  font.Underline, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                  font.Face));
}

SIZE MeasureText(HFONT font, const std::string& text, int wrapWidth) {
    // One memory DC for all measuring: unlike a window's DC it costs no trip to the window system.
    static const TMemoryDc measure(CreateCompatibleDC(nullptr));
    TSelect select(measure.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    RECT r{0, 0, wrapWidth, 0};
    // The same flags the STATIC control draws with; an empty text still takes one line's height.
    const UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX | (wrapWidth > 0 ? DT_WORDBREAK : 0);
    const std::string shown = text.empty() ? std::string(" ") : text;
    DrawTextA(measure.get(), shown.c_str(), static_cast<int>(shown.size()), &r, flags);
    // Two pixels more than the advance widths: the last glyph of a small italic or a closing parenthesis
    // reaches past its advance, and the label would clip it.
    return {text.empty() ? 0 : r.right - r.left + 2, r.bottom - r.top};
}
