// The standard controls as real child windows: labels, edit fields, drop-down lists, radio buttons,
// push buttons and pictures. Each Create places the control at its design position on the form and
// returns false when the system refuses the window.
#pragma once

#include "ui/Control.h"

// A transparent text that sizes itself to its text: a left-aligned label keeps its left edge, a
// right-aligned one its right edge; a word-wrapped label keeps its width and grows downwards. With
// AutoSize false (set before Create) it keeps its design size.
class TLabel : public TControl {
public:
    bool AutoSize = true;
    bool Create(TForm& form, const TBounds& design, const std::string& caption, const TFontSpec& font,
                TColor color, TAlignment alignment = TAlignment::Left, bool wordWrap = false);
    void SetText(const std::string& text);
    void SetColor(TColor color);
    TNotifyEvent OnClick;

    void Notify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;

private:
    TBounds SizedFor(const std::string& text) const;

    TColor Color;
    TAlignment Alignment = TAlignment::Left;
    bool WordWrap = false;
    TBounds Design;
};

// A single-line edit field; the password style shows every character as an asterisk.
class TEditField : public TControl {
public:
    enum class TFrame { Sunken, Flat };
    // `font` nullptr: the form's window font.
    bool Create(TForm& form, const TBounds& bounds, const TFontSpec* font = nullptr, bool password = false,
                TFrame frame = TFrame::Sunken);
    void SetText(const std::string& text) { SetWindowTextA(Hwnd, text.c_str()); }
    void Clear() { SetText(""); }
    void SelectAll() { SendMessageA(Hwnd, EM_SETSEL, 0, -1); }
    TNotifyEvent OnChange;

    void Notify(WORD code) override;
};

// A drop-down list whose text can only be chosen, never typed. It draws its entries itself, so that they
// have the item height asked for whatever the font.
class TComboList : public TControl {
public:
    // `bounds` has the closed height; the opened list shows up to `dropDownCount` rows of `itemHeight`.
    bool Create(TForm& form, const TBounds& bounds, int itemHeight, int dropDownCount);
    void Clear();
    void Add(const std::string& item);
    int Count() const;
    std::string Item(int index) const; // empty when there is no such entry
    int ItemIndex() const;             // -1 when nothing is chosen
    void SetItemIndex(int index);
    bool DroppedDown() const { return SendMessageA(Hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE; }
    TNotifyEvent OnChange; // the chosen entry changed, by mouse or keyboard

    void Notify(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

// A radio button. All radio buttons of a form form one group: checking one unchecks the others, and only
// the checked one is a tab stop. The arrow keys check the neighbour.
class TRadioButton : public TControl {
public:
    bool Create(TForm& form, const TBounds& bounds, const std::string& caption, bool checked,
                TColor background);
    bool Checked() const { return SendMessageA(Hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Checks it (unchecking the others) without firing OnClick.
    void SetChecked(bool checked);
    // Checks it as the user does: OnClick fires when it was not checked before.
    void Click();
    TNotifyEvent OnClick;

    void Notify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;
    bool NavigationKey(WORD key) override;

private:
    TBrushOwner Background;
};

// A push button. Its click sets the form's ModalResult to its own when that is not mrNone.
class TButton : public TControl {
public:
    bool Create(TForm& form, const TBounds& bounds, const std::string& caption, bool isDefault = false,
                const TFontSpec* font = nullptr);
    int ModalResult = 0;
    TNotifyEvent OnClick;

    void Notify(WORD code) override;
    HBRUSH CtlColor(HDC dc) override;
};

// A picture on the form's background: a bitmap whose transparent colour lets the background through,
// or an icon, stretched to the control's size.
class TImage : public TControl {
public:
    bool Create(TForm& form, const TBounds& bounds);
    // Borrowed: the bitmap must outlive the picture.
    void SetBitmap(HBITMAP bitmap, COLORREF transparentColor);
    void SetIcon(HICON icon);

    void DrawItem(const DRAWITEMSTRUCT& item) override;

private:
    HBITMAP Bitmap = nullptr;
    COLORREF Transparent = 0;
    HICON Icon = nullptr;
};
