// The application object: title, icon, executable path, main window and message loop. It alone holds
// what Win32 needs globally (instance handle, registered window classes).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A part of a window that the window frees with itself; also the sender of an event.
class TComponent {
public:
    TComponent() = default;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;
    virtual ~TComponent() = default;
};

class TForm;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // The caption of the plain message boxes; until it is set, the executable's name without extension.
    std::string Title;

    // Starts the common controls and loads the icon "MAINICON"; call once before the first window.
    void Initialize();
    HINSTANCE Instance() const { return InstanceHandle; }
    HICON Icon() const { return IconHandle; }
    // The full path of the running executable.
    std::string ExeName() const;

    // The first main window created; it owns the task-bar button.
    TForm* MainForm() const { return Main; }
    void SetMainForm(TForm* form) { Main = form; }
    // The application window that stands for the whole program: the main window's handle, or nullptr.
    HWND Handle() const;

    // Creates a form that the application frees in FreeForms; `reference` is cleared then.
    template <typename T> void CreateForm(T*& reference) {
        auto form = std::make_unique<T>();
        reference = form.get();
        Forms.emplace_back(std::move(form), [&reference] { reference = nullptr; });
    }
    // Frees the forms of CreateForm, the last created first.
    void FreeForms();

    // Shows the main window and dispatches messages until a quit request arrives.
    void Run();
    // Requests the end of the message loop by posting a quit request: whatever runs now still completes,
    // and Run ends at its first turn.
    void Terminate() { PostQuitMessage(0); }
    bool Terminated() const { return QuitSeen; }
    // Dispatches what is waiting in the queue without blocking; a quit request sets Terminated.
    void ProcessMessages();

    // The application-wide cursor; nullptr leaves each window its own.
    HCURSOR Cursor = nullptr;

    // Registers a window class once with the given procedure; false when the system refuses it.
    bool RegisterWindowClass(const char* name, WNDPROC procedure, HCURSOR cursor = nullptr);

private:
    HINSTANCE InstanceHandle;
    HICON IconHandle = nullptr;
    TForm* Main = nullptr;
    bool QuitSeen = false;
    std::vector<std::string> Registered;
    std::vector<std::pair<std::unique_ptr<TComponent>, std::function<void()>>> Forms;
};

extern TApplication Application;

// The system's default alert sound.
void Beep();
// The decimal separator of the user's regional settings, read from the system each time.
char UserDecimalSeparator();
// The year of the computer's date.
int CurrentYear();
