#include "frame/uonlyone.h"

std::unique_ptr<TSharedMem> InstanceMem;

namespace {

[[noreturn]] void ThrowSharedMemError(const std::string& name, DWORD code) {
    throw ESharedMemError("Error creating shared memory " + name + " (" + std::to_string(code) + ")");
}

// Window handles carry 32 significant bits in 32- and 64-bit processes alike, so the 4-byte block serves
// both kinds of build.
LONG ToSlot(HWND window) { return HandleToLong(window); }
HWND FromSlot(LONG value) { return static_cast<HWND>(LongToHandle(value)); }

void HandOver(HWND running) {
    if (IsIconic(running))
        PostMessageA(running, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(running);
    Application.Terminate();
}

} // namespace

TSharedMem::TSharedMem(const std::string& name, std::int32_t size) : MapName(name), MapSize(size) {
    MapHandle = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(size),
                                   name.c_str());
    if (MapHandle == nullptr)
        ThrowSharedMemError(name, GetLastError());
    View = MapViewOfFile(MapHandle, FILE_MAP_WRITE, 0, 0, static_cast<SIZE_T>(size));
    if (View == nullptr) {
        const DWORD code = GetLastError();
        Release(); // no destructor runs for an object whose constructor throws
        ThrowSharedMemError(name, code);
    }
}

TSharedMem::~TSharedMem() { Release(); }

void TSharedMem::Release() {
    if (View != nullptr)
        UnmapViewOfFile(View);
    View = nullptr;
    if (MapHandle != nullptr)
        CloseHandle(MapHandle);
    MapHandle = nullptr;
}

TTzOnlyOne::TTzOnlyOne(TForm& owner)
    : TTzOnlyOne(Application.Handle() ? Application.Handle() : owner.Handle(), Application.Title) {}

std::unique_ptr<TComponent> CreateTzOnlyOne(TForm& owner) { return std::make_unique<TTzOnlyOne>(owner); }

TTzOnlyOne::TTzOnlyOne(HWND applicationWindow, const std::string& title) {
    if (InstanceMem)
        return;
    InstanceMem = std::make_unique<TSharedMem>(title, 4);
    OwnsBlock = true;
    auto* slot = static_cast<volatile LONG*>(InstanceMem->View);
    const LONG mine = ToSlot(applicationWindow);
    // Reading and writing the block in one step closes the gap between two starts at the same moment.
    // A handle whose window is gone is left by an instance that has ended while the block lived on in a
    // process that was still handing over; it counts as free.
    LONG expected = 0;
    for (;;) {
        const LONG seen = InterlockedCompareExchange(slot, mine, expected);
        if (seen == expected || seen == mine) {
            First = true;
            return;
        }
        if (seen != 0 && IsWindow(FromSlot(seen))) {
            HandOver(FromSlot(seen));
            return;
        }
        expected = seen;
    }
}

TTzOnlyOne::~TTzOnlyOne() {
    // The value in the block stays: the system discards the block with its last handle, and a handle
    // left behind meanwhile names a window that is gone, which the next start takes as free.
    if (OwnsBlock)
        InstanceMem.reset();
}
