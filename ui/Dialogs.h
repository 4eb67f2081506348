// The plain message box and the Yes/No confirmation.
#pragma once

#include <windows.h>

#include <string>

// A modal box with the text, the application's title as caption, one OK button and no icon, centred on
// the screen; it returns when the user has closed it.
void ShowMessage(const std::string& text);

// A modal system box owned by `owner` with the buttons Yes (the default) and No and the question-mark
// icon; true only when the answer is Yes.
bool ConfirmYesNo(HWND owner, const std::string& text, const std::string& caption);
