#include "ui/Controls.h"

#include "ui/Form.h"

#include <commctrl.h>

#include <vector>

// --- TLabel ------------------------------------------------------------------------------------------

bool TLabel::Create(TForm& form, const TBounds& design, const std::string& caption, const TFontSpec& font,
                    TColor color, TAlignment alignment, bool wordWrap) {
    Color = color;
    Alignment = alignment;
    WordWrap = wordWrap;
    Design = design;
    static constexpr DWORD kinds[] = {SS_LEFTNOWORDWRAP, SS_RIGHT, SS_CENTER};
    DWORD kind = kinds[static_cast<int>(alignment)];
    if (wordWrap && alignment == TAlignment::Left)
        kind = SS_LEFT;
    SetOwnFont(MakeFont(font));
    // SS_NOTIFY makes the label a target of the mouse: a press on it neither reaches nor moves the form.
    if (!CreateHandle(form, "STATIC", caption, kind | SS_NOPREFIX | SS_NOTIFY, 0, design))
        return false;
    SetBounds(SizedFor(caption));
    return true;
}

TBounds TLabel::SizedFor(const std::string& text) const {
    if (!AutoSize)
        return Bounds();
    const SIZE size = MeasureText(CurrentFont(), text, WordWrap ? Design.Width : 0);
    if (WordWrap)
        return {Design.Left, Design.Top, Design.Width, size.cy};
    const TBounds now = Bounds();
    switch (Alignment) {
    case TAlignment::Right:
        return {now.Right() - size.cx, now.Top, size.cx, size.cy};
    case TAlignment::Center:
        return {now.Left + (now.Width - size.cx) / 2, now.Top, size.cx, size.cy};
    default:
        return {now.Left, now.Top, size.cx, size.cy};
    }
}

void TLabel::SetText(const std::string& text) {
    if (text == Text())
        return; // nothing to size or paint
    // The new size first: the label paints itself at once when its text changes.
    const TBounds now = Bounds();
    const TBounds sized = SizedFor(text);
    if (sized.Left != now.Left || sized.Top != now.Top || sized.Width != now.Width ||
        sized.Height != now.Height)
        SetBounds(sized);
    SetWindowTextA(Hwnd, text.c_str());
}

void TLabel::SetColor(TColor color) {
    Color = color;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TLabel::Notify(WORD code) {
    if (code == STN_CLICKED && OnClick)
        OnClick(*this);
}

HBRUSH TLabel::CtlColor(HDC dc) {
    SetTextColor(dc, Color.ToRgb());
    SetBkMode(dc, TRANSPARENT);
    return Owner->PaintBackgroundUnder(dc, Hwnd);
}

// --- TEditField --------------------------------------------------------------------------------------

bool TEditField::Create(TForm& form, const TBounds& bounds, const TFontSpec* font, bool password,
                        TFrame frame) {
    if (font)
        SetOwnFont(MakeFont(*font));
    const DWORD style =
        WS_TABSTOP | ES_AUTOHSCROLL | (password ? ES_PASSWORD : 0) | (frame == TFrame::Flat ? WS_BORDER : 0);
    const DWORD exStyle = frame == TFrame::Sunken ? WS_EX_CLIENTEDGE : 0;
    if (!CreateHandle(form, "EDIT", "", style, exStyle, bounds))
        return false;
    if (password)
        SendMessageA(Hwnd, EM_SETPASSWORDCHAR, '*', 0);
    return true;
}

void TEditField::Notify(WORD code) {
    if (code == EN_CHANGE && OnChange)
        OnChange(*this);
}

// --- TComboList --------------------------------------------------------------------------------------

bool TComboList::Create(TForm& form, const TBounds& bounds, int itemHeight, int dropDownCount) {
    // The window's height is the opened height; the closed height follows from the selection field's.
    TBounds opened = bounds;
    opened.Height = bounds.Height + dropDownCount * itemHeight + 2;
    const DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    if (!CreateHandle(form, "COMBOBOX", "", style, 0, opened))
        return false;
    SendMessageA(Hwnd, CB_SETITEMHEIGHT, 0, itemHeight);
    SendMessageA(Hwnd, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount), 0);
    // The selection field's height is set and then corrected by what the closed list measures, since
    // the system adds a frame of its own choosing.
    const LPARAM field = SendMessageA(Hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    SendMessageA(Hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    const int closed = Bounds().Height;
    if (field > 0 && closed != bounds.Height)
        SendMessageA(Hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + bounds.Height - closed);
    return true;
}

void TComboList::Clear() { SendMessageA(Hwnd, CB_RESETCONTENT, 0, 0); }

void TComboList::Add(const std::string& item) {
    SendMessageA(Hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

int TComboList::Count() const { return static_cast<int>(SendMessageA(Hwnd, CB_GETCOUNT, 0, 0)); }

std::string TComboList::Item(int index) const {
    const LRESULT length = SendMessageA(Hwnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(Hwnd, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

int TComboList::ItemIndex() const { return static_cast<int>(SendMessageA(Hwnd, CB_GETCURSEL, 0, 0)); }

void TComboList::SetItemIndex(int index) { SendMessageA(Hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

void TComboList::Notify(WORD code) {
    if (code == CBN_SELCHANGE && OnChange)
        OnChange(*this);
}

void TComboList::DrawItem(const DRAWITEMSTRUCT& item) {
    // Nothing chosen: an empty field, with only the focus frame when the list has the focus.
    const bool selected = (item.itemState & ODS_SELECTED) && item.itemID != static_cast<UINT>(-1);
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::string text = Item(static_cast<int>(item.itemID));
        TSelect select(item.hDC, CurrentFont());
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT r = item.rcItem;
        r.left += 2;
        DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(item.hDC, &item.rcItem);
}

// --- TRadioButton ------------------------------------------------------------------------------------

namespace {

// The radio buttons of a form in creation order.
std::vector<TRadioButton*> RadioButtonsOf(HWND form) {
    std::vector<TRadioButton*> buttons;
    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (auto* button = dynamic_cast<TRadioButton*>(TControl::FromHandle(child)))
            buttons.push_back(button);
    return buttons;
}

} // namespace

bool TRadioButton::Create(TForm& form, const TBounds& bounds, const std::string& caption, bool checked,
                          TColor background) {
    Background.reset(CreateSolidBrush(background.ToRgb()));
    // BS_RADIOBUTTON, not the automatic kind: the wrapper checks it, so that a click on the checked button
    // reports nothing.
    if (!CreateHandle(form, "BUTTON", caption, BS_RADIOBUTTON, 0, bounds))
        return false;
    SendMessageA(Hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetTabStop(checked);
    return true;
}

void TRadioButton::SetChecked(bool checked) {
    if (checked)
        for (TRadioButton* other : RadioButtonsOf(GetAncestor(Hwnd, GA_PARENT)))
            if (other != this) {
                SendMessageA(other->Hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
                other->SetTabStop(false);
            }
    SendMessageA(Hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    SetTabStop(checked);
}

void TRadioButton::Click() {
    if (Checked())
        return;
    SetChecked(true);
    if (OnClick)
        OnClick(*this);
}

void TRadioButton::Notify(WORD code) {
    if (code == BN_CLICKED)
        Click();
}

HBRUSH TRadioButton::CtlColor(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return Background.get();
}

bool TRadioButton::NavigationKey(WORD key) {
    const bool back = key == VK_LEFT || key == VK_UP;
    if (!back && key != VK_RIGHT && key != VK_DOWN)
        return false;
    const std::vector<TRadioButton*> group = RadioButtonsOf(GetAncestor(Hwnd, GA_PARENT));
    const int count = static_cast<int>(group.size());
    for (int i = 0; i < count; ++i) {
        if (group[static_cast<std::size_t>(i)] != this)
            continue;
        TRadioButton* next = group[static_cast<std::size_t>(((back ? i - 1 : i + 1) + count) % count)];
        next->SetFocus();
        next->Click();
        break;
    }
    return true;
}

// --- TButton -----------------------------------------------------------------------------------------

bool TButton::Create(TForm& form, const TBounds& bounds, const std::string& caption, bool isDefault,
                     const TFontSpec* font) {
    if (font)
        SetOwnFont(MakeFont(*font));
    return CreateHandle(form, "BUTTON", caption, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                        0, bounds);
}

void TButton::Notify(WORD code) {
    if (code != BN_CLICKED)
        return;
    if (ModalResult != 0)
        Owner->ModalResult = ModalResult;
    if (OnClick)
        OnClick(*this);
}

HBRUSH TButton::CtlColor(HDC dc) { return Owner->PaintBackgroundUnder(dc, Hwnd); }

// --- TImage ------------------------------------------------------------------------------------------

bool TImage::Create(TForm& form, const TBounds& bounds) {
    return CreateHandle(form, "STATIC", "", SS_OWNERDRAW, 0, bounds);
}

void TImage::SetBitmap(HBITMAP bitmap, COLORREF transparentColor) {
    Bitmap = bitmap;
    Transparent = transparentColor;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TImage::SetIcon(HICON icon) {
    Icon = icon;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TImage::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT& r = item.rcItem;
    FillRect(item.hDC, &r, Owner->PaintBackgroundUnder(item.hDC, Hwnd));
    if (Icon)
        DrawIconEx(item.hDC, r.left, r.top, Icon, r.right - r.left, r.bottom - r.top, 0, nullptr, DI_NORMAL);
    if (!Bitmap)
        return;
    BITMAP info{};
    GetObjectA(Bitmap, sizeof(info), &info);
    TMemoryDc source(CreateCompatibleDC(item.hDC));
    TSelect select(source.get(), Bitmap);
    TransparentBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0,
                   info.bmWidth, info.bmHeight, Transparent);
}
