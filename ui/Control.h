// The base of every control wrapper: one child window, found again through GWLP_USERDATA.
#pragma once

#include "ui/Application.h"
#include "ui/Gdi.h"

#include <functional>
#include <string>

class TForm;
class TPopupMenu;

// A design position: left, top, width, height in pixels of the form's client area.
struct TBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Right() const { return Left + Width; }
};

enum class TAlignment { Left, Right, Center };

class TControl : public TComponent {
public:
    using TNotifyEvent = std::function<void(TComponent& sender)>;
    using TKeyPressEvent = std::function<void(TComponent& sender, char& key)>;

    ~TControl() override;

    HWND Handle() const { return Hwnd; }
    TForm* Form() const { return Owner; }
    // The wrapper of a child window created through this toolkit; nullptr for any other window.
    static TControl* FromHandle(HWND window);

    TBounds Bounds() const; // in the form's client coordinates; empty when there is no window
    void SetBounds(const TBounds& bounds);
    std::string Text() const; // Windows-1252; empty when there is no window
    bool Focused() const { return Hwnd && GetFocus() == Hwnd; }
    void SetFocus() { ::SetFocus(Hwnd); }
    bool Enabled() const { return IsWindowEnabled(Hwnd) != FALSE; }
    void SetEnabled(bool enabled) { EnableWindow(Hwnd, enabled); }
    bool TabStop() const { return (GetWindowLongPtrA(Hwnd, GWL_STYLE) & WS_TABSTOP) != 0; }
    void SetTabStop(bool stop);

    HCURSOR Cursor = nullptr;        // nullptr: the window class's cursor
    TPopupMenu* PopupMenu = nullptr; // opened by a right-click on the control
    TKeyPressEvent OnKeyPress;       // a character typed into the control; set the key to 0 to discard it
    TNotifyEvent OnMouseMove;        // the mouse moves over the control

    // The form forwards what a child window tells its parent.
    virtual void Notify(WORD code) { (void)code; }
    // The brush for the control's background, with the text colour set in `dc`; nullptr to take the
    // form's background below the control.
    virtual HBRUSH CtlColor(HDC dc) {
        (void)dc;
        return nullptr;
    }
    virtual void DrawItem(const DRAWITEMSTRUCT& item) { (void)item; }
    // A key the control uses to move among its own kind (the arrow keys of radio buttons); true when used.
    virtual bool NavigationKey(WORD key) {
        (void)key;
        return false;
    }

    // The procedure every control window runs through before its own.
    static LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Creates the child window and ties it to this wrapper and the form; false when the system refuses.
    bool CreateHandle(TForm& form, const char* windowClass, const std::string& text, DWORD style,
                      DWORD exStyle, const TBounds& bounds);
    // The control's own font (nullptr: the form's window font).
    void SetOwnFont(TFontOwner font);
    HFONT CurrentFont() const;

    HWND Hwnd = nullptr;
    TForm* Owner = nullptr;

private:
    WNDPROC OriginalProc = nullptr; // the window class's own procedure
    TFontOwner OwnFont;             // outlives the window, which borrows it
};
