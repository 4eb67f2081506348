#include "ui/Menus.h"

bool TPopupMenu::Add(TMenuItem& item) {
    if (!Menu && !(Menu = CreatePopupMenu()))
        return false;
    const UINT id = static_cast<UINT>(Items.size() + 1);
    const bool separator = item.Caption == "-";
    if (!AppendMenuA(Menu, separator ? MF_SEPARATOR : MF_STRING, id,
                     separator ? nullptr : item.Caption.c_str()))
        return false;
    Items.push_back(&item);
    return true;
}

void TPopupMenu::Popup(HWND owner, POINT at) {
    if (!Menu)
        return;
    // The owner must be the foreground window, or the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT id = static_cast<UINT>(TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0,
                                                     owner, nullptr)); // left and top aligned at the mouse
    PostMessageA(owner, WM_NULL, 0, 0);                                // lets the menu's task switch complete
    if (id >= 1 && id <= Items.size())
        Items[id - 1]->Click();
}
