// A small program for the frame's tests. It starts and ends as the calculator does: the frame's start-up
// (password included), a main window with the single-instance guard as its last component, the message
// loop, the windows freed, the frame's shut-down.
//   frame_probe.exe TITLE [--close] [--linger=MS]
//   TITLE        the application title, which names the guard's shared block
//   --close      closes its window as soon as the loop runs
//   --linger=MS  keeps its window and guard that long after the loop has ended
// The window's caption tells the tests how many restore commands it got: "restores=N".
// Exit codes: 0 the window was closed; 2 a quit request ended the loop with the window open (a refused
// password); 3 handed over to a running instance; 1 the guard's block failed (its message was shown).
#include "frame/WBProg.h"
#include "frame/uonlyone.h"
#include "ui/Application.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

class TProbeForm : public TMainForm {
public:
    TProbeForm() {
        if (!Create("TProbeForm", "restores=0", 240, 120, TFontSpec{12}))
            throw std::runtime_error("no window");
        // A virtual display without a window manager never brings a window with a task-bar button to the
        // front: Wine leaves that to the window manager. Without the button Wine places the window itself.
        SetWindowLongPtrA(Hwnd, GWL_EXSTYLE, GetWindowLongPtrA(Hwnd, GWL_EXSTYLE) & ~WS_EX_APPWINDOW);
        SetWindowSubclass(Hwnd, Watch, 0, reinterpret_cast<DWORD_PTR>(this));
        Guard = CreateTzOnlyOne(*this);
    }
    int Restores = 0;
    bool Closed = false;
    std::unique_ptr<TComponent> Guard;

private:
    static LRESULT CALLBACK Watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
        auto* form = reinterpret_cast<TProbeForm*>(data);
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
            ++form->Restores;
            SetWindowTextA(window, ("restores=" + std::to_string(form->Restores)).c_str());
        }
        if (message == WM_CLOSE)
            form->Closed = true;
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(window, Watch, 0);
        return DefSubclassProc(window, message, wParam, lParam);
    }
};

TProbeForm* probe = nullptr;

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 64;
    bool close = false;
    int linger = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--close") == 0)
            close = true;
        else if (std::strncmp(argv[i], "--linger=", 9) == 0)
            linger = std::atoi(argv[i] + 9);
    }
    WBProgStartup();
    int exitCode = 0;
    {
        Application.Initialize();
        Application.Title = argv[1];
        try {
            Application.CreateForm(probe);
            if (close)
                PostMessageA(probe->Handle(), WM_CLOSE, 0, 0);
            Application.Run();
            const auto* guard = static_cast<const TTzOnlyOne*>(probe->Guard.get());
            exitCode = !guard->FirstInstance() ? 3 : probe->Closed ? 0 : 2;
        } catch (const std::exception& error) {
            ShowMessage(error.what());
            exitCode = 1;
        }
        if (linger > 0)
            Sleep(static_cast<DWORD>(linger)); // the guard still holds the block
        Application.FreeForms();
    }
    WBProgShutdown();
    return exitCode;
}
