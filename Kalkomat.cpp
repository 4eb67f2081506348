// Kalkomat: the points calculator of the Bundesjugendspiele (athletics).
//
// Start-up runs in a fixed order: the program frame first (identity, folders and the password, whose
// dialog is the first window the user sees), then the scoring tables, then the application with its main
// window, whose last component is the single-instance guard. A refused password or a running instance
// only posts the quit request: the window is still completed, and the message loop ends at its first turn.
// The end runs backwards: the main window (and with it the guard's shared block), the scoring tables, then
// the frame, which removes the program's temporary folder at every end.
#include "frame/WBProg.h"
#include "frame/uonlyone.h"
#include "scoring/bundesjugendspiele.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "window/fKalkomat.h"

#include <exception>

namespace {

// The application with its main window; 1 when the window could not be made (the guard's shared block
// was not to be had), after telling the user why.
int RunApplication() {
    int exitCode = 0;
    try {
        Application.Initialize();
        Application.Title = "Kalkomat";
        MakeTzOnlyOne = CreateTzOnlyOne;
        Application.CreateForm(frmKalkomat);
        Application.Run();
    } catch (const std::exception& error) {
        ShowMessage(error.what());
        exitCode = 1;
    } catch (...) {
        ShowMessage("Kalkomat konnte nicht gestartet werden.");
        exitCode = 1;
    }
    Application.FreeForms();
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    WBProgStartup();
    int exitCode = 1;
    try {
        const TScoringUnit scoring;
        exitCode = RunApplication();
    } catch (...) {
        // Only running out of memory for the tables gets here; the frame still cleans up below.
    }
    WBProgShutdown();
    return exitCode;
}
