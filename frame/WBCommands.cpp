#include "frame/WBCommands.h"

#include "frame/WBProg.h"
#include "shell/WBSystem.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"

static_assert(sizeof("ö") == 2, "build with -fexec-charset=CP1252");

void OfferDesktopSymbol(HWND owner) {
    const std::string productName = ProgContext ? ProgContext->ProductName : Application.Title;
    Beep();
    if (!ConfirmYesNo(owner,
                      "Möchtest du ein Programmsymbol zum Starten des Programms auf dem Desktop anlegen?",
                      productName))
        return;
    if (CreateProgramShortcut(Application.ExeName(), "", productName, "Schulprogramme", slDesktop, true))
        // Carriage returns alone separate the lines, as the message box shows them.
        ShowMessage(
            "Auf dem Desktop wurde ein Programmsymbol mit dem Namen\r\"" + productName +
            "\" angelegt.\r\rDu kannst das Programm zukünftig durch Klick auf dieses Symbol starten.");
    else
        ShowMessage("Programmsymbol konnte nicht angelegt werden.");
}

void OpenProgramInfo() {
    if (ProgContext)
        ProgContext->ShowProgramInfo("");
}
