// A flat speed button: a glyph or a caption on the form's background, a hand cursor, a raised frame while
// the mouse is over it and a sunken one while it is pressed. It never takes the focus and is no tab stop.
#pragma once

#include "ui/Control.h"

class TSpeedButton : public TControl {
public:
    // A button showing a 24 x 24 glyph from the resources whose magenta pixels are transparent.
    bool CreateGlyph(TForm& form, const TBounds& bounds, const char* glyphResource);
    // A button showing a caption in its own font and colour.
    bool CreateCaption(TForm& form, const TBounds& bounds, const std::string& caption, const TFontSpec& font,
                       TColor color);
    TNotifyEvent OnClick;
    void Click() {
        if (OnClick)
            OnClick(*this);
    }
    bool Hot() const { return MouseInside; }
    bool HasGlyph() const { return Glyph != nullptr; }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    bool CreateButton(TForm& form, const TBounds& bounds, const std::string& caption);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Paint();
    LRESULT MouseDown();
    LRESULT MouseMoved(LPARAM lParam);
    LRESULT MouseUp(LPARAM lParam);
    LRESULT MouseLeft();
    bool Inside(LPARAM lParam) const;
    void Redraw() { InvalidateRect(Hwnd, nullptr, FALSE); }

    TBitmapOwner Glyph;
    TColor CaptionColor;
    bool MouseInside = false;
    bool Pressed = false; // the left button went down on it and has not been released
};
