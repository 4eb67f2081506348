#include "ui/Dialogs.h"

#include "ui/Application.h"

namespace {

// The window that the box is modal to: the active window of this program, else its main window.
HWND BoxOwner() {
    HWND active = GetActiveWindow();
    if (active && IsWindowVisible(active))
        return active;
    HWND main = Application.Handle();
    return main && IsWindowVisible(main) ? main : nullptr;
}

} // namespace

void ShowMessage(const std::string& text) {
    // The system centres its message box on the screen, not over the owner.
    HWND owner = BoxOwner();
    MessageBoxA(owner, text.c_str(), Application.Title.c_str(),
                MB_OK | (owner ? MB_APPLMODAL : MB_TASKMODAL));
}

bool ConfirmYesNo(HWND owner, const std::string& text, const std::string& caption) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1) ==
           IDYES;
}
