// Forms: the borderless main window and modal dialogs. A form paints its background (a picture or
// painted areas), gives its transparent controls that background, routes what its children report,
// previews keys, moves the focus in tab order and keeps the focus across activations.
#pragma once

#include "ui/Control.h"
#include "ui/ToolTips.h"

#include <optional>
#include <vector>

enum TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

class TForm : public TComponent {
public:
    using TKeyEvent = std::function<void(TComponent& sender, WORD& key)>;

    ~TForm() override;

    HWND Handle() const { return Hwnd; }
    HFONT Font() const { return WindowFont.get(); }
    std::string Caption() const;
    void SetCaption(const std::string& caption) { SetWindowTextA(Hwnd, caption.c_str()); }
    SIZE ClientSize() const;
    bool Visible() const { return IsWindowVisible(Hwnd) != FALSE; }
    // Shows the form centred on the screen and brings it to the front.
    void Show();
    // Asks the form to close, as the close box does.
    void Close() { SendMessageA(Hwnd, WM_CLOSE, 0, 0); }

    // Key preview: OnKeyDown sees every key pressed in the form before the focused control does; setting
    // the key to 0 keeps it from the control.
    bool KeyPreview = false;
    TKeyEvent OnKeyDown;
    // While OnKeyDown runs: the control the key was pressed in; nullptr when the form itself has the focus.
    TControl* KeyControl() const { return PreviewedControl; }
    TControl::TNotifyEvent OnMouseMove; // over the form's own free area

    // Tab order: the stops in order; radio buttons count only while checked. Moving on from the last
    // stop wraps to the first.
    void SetTabOrder(std::vector<TControl*> order) { TabOrder = std::move(order); }
    // Focuses the next (or previous) stop after the control that holds `from`; false when there is none.
    bool SelectNext(HWND from, bool forward = true);
    TControl* ActiveControl() const;

    // A tool tip for a control; lines separated by carriage return and line feed.
    void SetHint(TControl& control, const std::string& text);
    const TToolTips& Hints() const { return ToolTips; }
    void RelayToHints(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const {
        ToolTips.Relay(control, message, wParam, lParam);
    }

    // The background: a picture painted at (0, 0) (the form keeps a copy), or the system's button face
    // with areas painted onto it.
    void SetBackgroundPicture(HBITMAP picture);
    void PaintArea(const TBounds& area, TColor fill, std::optional<TColor> frame = std::nullopt);
    // Paints the form's background under a child window into the child's DC, so that the child looks
    // transparent, and returns the brush to fill the child with: a hollow one after such a copy.
    HBRUSH PaintBackgroundUnder(HDC dc, HWND child);
    // A left-button press on the free background starts the system's move of the window.
    bool DragByBackground = false;

    int ModalResult = mrNone;

    // Window procedure of every form class.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Key handling of the form's children: true when the key was used and must not reach the control.
    bool PreviewKeyDown(TControl* control, WORD key);
    bool PreviewChar(TControl* control, char& key);

protected:
    TForm() = default;
    // Creates the top-level window with the given style and client size (hidden) and the window font.
    bool CreateForm(const char* windowClass, const std::string& caption, DWORD style, DWORD exStyle,
                    int clientWidth, int clientHeight, HWND owner, const TFontSpec& font);
    // What WM_CLOSE does; the main form and the dialog differ.
    virtual void CloseRequested() = 0;
    // Enter and Esc in a dialog; false in the main form.
    virtual bool DialogKey(WORD key) {
        (void)key;
        return false;
    }

    HWND Hwnd = nullptr;
    bool Dialog = false;       // Enter and Esc belong to the dialog's buttons, never to a control
    HWND SavedFocus = nullptr; // the focus while the form is inactive

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT EraseBackground(HDC dc);
    LRESULT Paint();
    LRESULT Command(WPARAM wParam, LPARAM lParam);
    LRESULT ControlColor(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DrawItem(const DRAWITEMSTRUCT* item);
    LRESULT Activate(WPARAM wParam, LPARAM lParam);
    LRESULT FocusReceived();
    LRESULT KeyDown(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT LeftButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT MouseMoved(WPARAM wParam, LPARAM lParam);
    LRESULT ContextMenu(HWND target, LPARAM where);
    LRESULT SetCursorFor(WPARAM wParam, LPARAM lParam);
    void MakeBackground(HBITMAP picture);
    void FocusStop(TControl& control);
    HWND StopFor(HWND window) const;

    TFontOwner WindowFont;
    TControl* PreviewedControl = nullptr;
    std::vector<TControl*> TabOrder;
    TToolTips ToolTips;
    // The background in the display's own format, selected into a memory DC: copying from it is fast,
    // unlike a pattern brush of the picture, which is converted anew wherever it is used.
    TBitmapOwner Background;
    TMemoryDc BackgroundDc;
    HGDIOBJ BackgroundDcDefault = nullptr;
};

// The borderless main window: a fixed client size, centred on the screen when shown, no scaling. The
// first one created becomes the application's main window; closing it ends the message loop.
class TMainForm : public TForm {
public:
    ~TMainForm() override;

protected:
    // false when the system refuses the window.
    bool Create(const char* windowClass, const std::string& caption, int clientWidth, int clientHeight,
                const TFontSpec& font);
    void CloseRequested() override;
};

// A modal dialog with a dialog frame and a close box only, made for one use and freed after. Enter presses
// the default button; Esc presses the cancel button and does nothing without one; the close box gives
// mrCancel. It opens centred over the main window or, when there is none, on the screen.
class TDialogForm : public TForm {
public:
    TControl* DefaultButton = nullptr;
    TControl* CancelButton = nullptr;
    // The control that has the focus when the dialog opens; nullptr: the first tab stop.
    TControl* FirstFocus = nullptr;

    bool Create(const char* windowClass, const std::string& caption, int clientWidth, int clientHeight,
                const TFontSpec& font);
    // Shows the dialog, runs its own message loop until ModalResult is set and returns it. The main
    // window is disabled meanwhile. A quit request ends the dialog with mrCancel and is passed on.
    int ShowModal();

protected:
    void CloseRequested() override { ModalResult = mrCancel; }
    bool DialogKey(WORD key) override;
};
