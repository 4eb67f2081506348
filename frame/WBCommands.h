// The frame's commands behind the calculator window's options menu and info button.
#pragma once

#include <windows.h>

// "Programmsymbol auf Desktop anlegen": the alert sound, the question (modal to `owner`, Yes the default),
// and on Yes the program symbol named after the product on the desktop (into its "Schulprogramme"
// folder when there is one), then the German success or failure message.
void OfferDesktopSymbol(HWND owner);

// "Programminfo" after the window's signal: the info dialog titled with the product name.
void OpenProgramInfo();
