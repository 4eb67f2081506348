// The single-instance guard: the program runs once per user logon. A second start hands over to the
// running instance (restores it when minimised, brings it to the front) and ends itself.
#pragma once

#include "ui/Application.h"
#include "ui/Form.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

// A shared block that could not be created or mapped; what() is the message the user sees.
class ESharedMemError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A small named block of memory, backed by the paging file, that every process of the logon can open.
// A block of that name that exists already is opened with its content unchanged.
class TSharedMem {
public:
    // Creates or opens the block and maps it whole with write access; throws ESharedMemError
    // ("Error creating shared memory <name> (<system error code>)") and keeps nothing on failure.
    TSharedMem(const std::string& name, std::int32_t size);
    TSharedMem(const TSharedMem&) = delete;
    TSharedMem& operator=(const TSharedMem&) = delete;
    ~TSharedMem();

    HANDLE MapHandle = nullptr; // the named file mapping
    std::string MapName;
    std::int32_t MapSize = 0;
    void* View = nullptr; // where the block lies in this process

private:
    void Release();
};

// The guard for the main window's TzOnlyOne1, as the window's factory MakeTzOnlyOne takes it. Throws
// ESharedMemError; the main window's construction is then given up.
std::unique_ptr<TComponent> CreateTzOnlyOne(TForm& owner);

// This process's shared block while its guard lives, else nullptr.
extern std::unique_ptr<TSharedMem> InstanceMem;

// The guard component of the main window. It does all its work when it is constructed:
// - it opens the block named after the application's title (4 bytes: the running instance's window);
// - it writes `applicationWindow` there when the block holds 0 or the window of an instance that has
//   ended, in one atomic compare-and-exchange, so of several starts at the same moment exactly one wins;
// - otherwise it restores the running instance's window when minimised, brings it to the front and
//   requests the end of this application (a posted quit request: the message loop ends at its first turn).
// Construct it outside any window procedure: it throws ESharedMemError when the block cannot be had.
class TTzOnlyOne : public TComponent {
public:
    // The guard of `owner`, the main window: registers the application window (the main window) under
    // Application.Title.
    explicit TTzOnlyOne(TForm& owner);
    // The same for any window and block name.
    TTzOnlyOne(HWND applicationWindow, const std::string& title);
    ~TTzOnlyOne() override;

    // True when this instance registered itself and runs; false when it handed over (or when another
    // guard of this process came first).
    bool FirstInstance() const { return First; }

private:
    bool First = false;
    bool OwnsBlock = false;
};
