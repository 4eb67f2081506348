// Multi-line tool tips for the controls of one form.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

class TToolTips {
public:
    TToolTips() = default;
    TToolTips(const TToolTips&) = delete;
    TToolTips& operator=(const TToolTips&) = delete;
    ~TToolTips() {
        if (IsWindow(Hwnd))
            DestroyWindow(Hwnd);
    }
    // Shows `text` while the mouse rests on `tool`; lines are separated by carriage return and line feed.
    // false when the tool tip window cannot be made.
    bool Add(HWND owner, HWND tool, const std::string& text);
    // Lets the tip see a mouse message of one of its tools.
    void Relay(HWND tool, UINT message, WPARAM wParam, LPARAM lParam) const;
    // The text given for `tool`; empty when it has none.
    std::string TextOf(HWND tool) const;
    HWND Handle() const { return Hwnd; }

private:
    HWND Hwnd = nullptr;
    HWND Owner = nullptr;
    std::vector<std::pair<HWND, std::string>> Texts; // the tip itself hands out only 80 characters
};
