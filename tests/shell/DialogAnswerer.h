// Test helper: answers the message boxes and dialogs that the code under test really shows. A watcher
// thread finds each new visible top-level window of the watched thread, records what it shows and runs
// the next scripted action on it (by default a button press). Windows beyond the script are recorded and
// closed, so that a test with a missing or extra dialog fails instead of hanging.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct TSeenDialog {
    std::string Caption;
    std::string Text; // a message box's text, or the texts of all child windows joined by '|'
    std::string ClassName;
    std::vector<int> Buttons; // of IDOK, IDCANCEL, IDYES, IDNO those the window has
    int DefaultButton = 0;    // the button drawn as the default one, 0 when there is none
    bool HasIcon = false;     // a message box's icon
};

class TDialogAnswerer {
public:
    using TAction = std::function<void(HWND)>;

    // Watches the windows of `thread` (default: the calling thread).
    explicit TDialogAnswerer(std::vector<TAction> actions, DWORD thread = GetCurrentThreadId());
    TDialogAnswerer(const TDialogAnswerer&) = delete;
    TDialogAnswerer& operator=(const TDialogAnswerer&) = delete;
    ~TDialogAnswerer();

    std::vector<TSeenDialog> Seen() const;
    std::vector<std::string> Texts() const; // the Text of each seen window, in turn

    // Presses the button with this id (as a click on it would).
    static TAction Press(int id);
    // Types the text into the first edit field, then presses the button.
    static TAction TypeAndPress(const std::string& text, int id);
    // Makes several actions one.
    static TAction Then(TAction first, TAction second);
    static TAction Sequence(std::vector<TAction> steps);
    // For windows of our own toolkit, whose controls carry no dialog ids:
    static TAction PressButton(const std::string& caption); // clicks the button with this caption
    static TAction SetEditText(const std::string& text);    // into the first edit field
    static TAction PressKey(WORD key);                      // a key press in the first edit field
    static TAction CloseBox();                              // the close box of the title bar
    static TAction Pause(int milliseconds);

    // The first child window with this text, or nullptr.
    static HWND FindChild(HWND window, const std::string& text);

    static TSeenDialog Describe(HWND window);

private:
    void Watch();
    void Handle(HWND window);

    std::vector<TAction> Actions;
    std::size_t Next = 0;
    DWORD Thread;
    std::set<HWND> Known;
    mutable std::mutex Lock;
    std::vector<TSeenDialog> SeenDialogs;
    std::atomic<bool> Stop{false};
    std::thread Watcher;
};

// Presses `id` in each message box that appears, a convenience for scripts of equal answers.
std::vector<TDialogAnswerer::TAction> PressEach(std::initializer_list<int> ids);
