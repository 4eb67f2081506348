// Popup menus and their items.
#pragma once

#include "ui/Control.h"

#include <vector>

class TMenuItem : public TComponent {
public:
    TMenuItem() = default;
    explicit TMenuItem(std::string caption) : Caption(std::move(caption)) {}
    std::string Caption; // "-" makes a separator line
    TControl::TNotifyEvent OnClick;
    void Click() {
        if (OnClick)
            OnClick(*this);
    }
};

class TPopupMenu : public TComponent {
public:
    ~TPopupMenu() override {
        if (Menu)
            DestroyMenu(Menu);
    }
    // Appends an item, borrowed: it must live as long as the menu. false when the system refuses it.
    bool Add(TMenuItem& item);
    // Opens the menu at a screen point and runs the chosen item's handler after the menu has closed.
    void Popup(HWND owner, POINT at);
    HMENU Handle() const { return Menu; }

private:
    HMENU Menu = nullptr;
    std::vector<TMenuItem*> Items;
};
