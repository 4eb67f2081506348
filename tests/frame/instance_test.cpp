// Whole runs of a probe program that starts and ends as the calculator does: the single-instance guard
// across processes, the password at start-up, and the temporary folder removed at every end.
#include "shell/WBSystem.h"

#include "tests/shell/DialogAnswerer.h"
#include "tests/shell/SavedEnv.h"
#include "tests/shell/ShellFolderFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

namespace {

using A = TDialogAnswerer;

constexpr int HandedOver = 3;
constexpr int QuitWithWindowOpen = 2;

std::string ExeDir() {
    const std::string exe = GetExeName();
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

std::string UniqueTitle() {
    static int counter = 0;
    return "KalkomatTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

// Waits for the condition while dispatching this thread's messages: a window of the test that loses the
// front to a probe must answer the system meanwhile.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <typename F> bool WaitFor(F condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

struct TProbeSearch {
    DWORD Process;
    HWND Found = nullptr;
};

BOOL CALLBACK FindProbeWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TProbeSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (process != search->Process || std::string(name) != "TProbeForm" || !IsWindowVisible(window))
        return TRUE;
    search->Found = window;
    return FALSE;
}

// One started probe; ended by force if a test leaves it running.
class TProbe {
public:
    TProbe(const std::string& exe, const std::string& arguments) {
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        std::string command = "\"" + exe + "\" " + arguments;
        Started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &Info) != FALSE;
    }
    TProbe(const TProbe&) = delete;
    TProbe& operator=(const TProbe&) = delete;
    ~TProbe() {
        if (!Started)
            return;
        if (Running()) {
            TerminateProcess(Info.hProcess, 99);
            WaitForSingleObject(Info.hProcess, 5000);
        }
        CloseHandle(Info.hThread);
        CloseHandle(Info.hProcess);
    }

    bool Started = false;
    PROCESS_INFORMATION Info{};

    bool Running() const { return WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT; }
    std::optional<DWORD> WaitExit(DWORD milliseconds) const {
        if (!WaitFor([&] { return !Running(); }, static_cast<int>(milliseconds)))
            return std::nullopt;
        DWORD code = 0;
        GetExitCodeProcess(Info.hProcess, &code);
        return code;
    }
    // The probe's main window once it is visible, or nullptr.
    HWND Window(int milliseconds = 20000) const {
        HWND found = nullptr;
        WaitFor(
            [&] {
                found = FindVisibleWindow();
                return found != nullptr || !Running();
            },
            milliseconds);
        return found;
    }
    HWND FindVisibleWindow() const {
        TProbeSearch search{Info.dwProcessId, nullptr};
        EnumWindows(FindProbeWindow, reinterpret_cast<LPARAM>(&search));
        return search.Found;
    }
    // Closes the window as the user would and returns the exit code.
    std::optional<DWORD> Close() const {
        if (HWND window = FindVisibleWindow())
            PostMessageA(window, WM_CLOSE, 0, 0);
        return WaitExit(20000);
    }
};

std::unique_ptr<TProbe> Start(const std::string& title, const std::string& options = "",
                              const std::string& exe = ExeDir() + "frame_probe.exe") {
    auto probe = std::make_unique<TProbe>(exe, "\"" + title + "\" " + options);
    EXPECT_TRUE(probe->Started) << exe;
    return probe;
}

// The probe's window, minimised; nullptr when it did not show or would not minimise.
HWND MinimisedWindow(const TProbe& probe) {
    HWND window = probe.Window();
    if (window == nullptr)
        return nullptr;
    ShowWindow(window, SW_MINIMIZE);
    return WaitFor([&] { return IsIconic(window) != FALSE; }, 5000) ? window : nullptr;
}

// ---- one instance per logon --------------------------------------------------------------------------

TEST(SingleInstance, SecondStartHandsOverToTheFirst) {
    const std::string title = UniqueTitle();
    auto first = Start(title);
    HWND window = first->Window();
    ASSERT_NE(window, nullptr);

    // Something else is in front when the second start comes.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    auto second = Start(title);
    // The second start's own window shows for a moment at the end, so the first may not stay in front
    // on a display without a window manager; it must come to the front while the second runs.
    bool cameToFront = false;
    WaitFor(
        [&] {
            cameToFront = cameToFront || GetForegroundWindow() == window;
            return !second->Running();
        },
        30000);
    EXPECT_EQ(second->WaitExit(0), HandedOver);
    EXPECT_TRUE(first->Running());
    EXPECT_TRUE(cameToFront);
    EXPECT_EQ(Caption(window), "restores=0"); // not minimised: no restore command
    DestroyWindow(other);
    EXPECT_EQ(first->Close(), 0u);
}

TEST(SingleInstance, RestoresAMinimisedFirstInstance) {
    const std::string title = UniqueTitle();
    auto first = Start(title);
    const HWND window = MinimisedWindow(*first);
    ASSERT_NE(window, nullptr);

    auto second = Start(title);
    EXPECT_EQ(second->WaitExit(30000), HandedOver);
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window); }, 5000));
    EXPECT_EQ(Caption(window), "restores=1");
    EXPECT_TRUE(first->Running());
    EXPECT_EQ(first->Close(), 0u);
}

TEST(SingleInstance, NormalStartAfterTheFirstHasEnded) {
    const std::string title = UniqueTitle();
    {
        auto first = Start(title);
        ASSERT_NE(first->Window(), nullptr);
        EXPECT_EQ(first->Close(), 0u);
    }
    auto next = Start(title);
    ASSERT_NE(next->Window(), nullptr);
    EXPECT_FALSE(next->WaitExit(1000).has_value()); // it runs
    EXPECT_EQ(next->Close(), 0u);
}

TEST(SingleInstance, ManyStartsAtOnceLeaveExactlyOne) {
    const std::string title = UniqueTitle();
    std::vector<std::unique_ptr<TProbe>> probes;
    probes.reserve(6);
    for (int i = 0; i < 6; ++i)
        probes.push_back(Start(title));
    auto running = [&] {
        int count = 0;
        for (const auto& probe : probes)
            count += probe->Running() ? 1 : 0;
        return count;
    };
    ASSERT_TRUE(WaitFor([&] { return running() <= 1; }, 60000)) << running() << " still running";
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_EQ(running(), 1);
    for (const auto& probe : probes) {
        if (probe->Running()) {
            EXPECT_NE(probe->Window(), nullptr);
            EXPECT_EQ(probe->Close(), 0u);
        } else {
            EXPECT_EQ(probe->WaitExit(0), HandedOver);
        }
    }
}

TEST(SingleInstance, WindowOfAnEndedInstanceCountsAsFree) {
    // A second start that lingers keeps the block alive after the first has ended; the block then names
    // a window that is gone, and a third start must run instead of handing over to nobody.
    const std::string title = UniqueTitle();
    auto first = Start(title);
    ASSERT_NE(first->Window(), nullptr);
    auto lingering = Start(title, "--linger=10000");
    ASSERT_NE(lingering->Window(), nullptr); // shown only after its guard has handed over
    EXPECT_EQ(first->Close(), 0u);
    ASSERT_TRUE(lingering->Running());

    auto third = Start(title);
    ASSERT_NE(third->Window(), nullptr);
    EXPECT_FALSE(third->WaitExit(1000).has_value());
    EXPECT_TRUE(lingering->Running()) << "the test needs the block held meanwhile";
    EXPECT_EQ(third->Close(), 0u);
    EXPECT_EQ(lingering->WaitExit(30000), HandedOver);
}

TEST(SingleInstance, BlockFailureEndsWithoutMainWindow) {
    // An object of another kind under the block's name makes the mapping fail.
    const std::string title = UniqueTitle();
    HANDLE blocker = CreateMutexA(nullptr, FALSE, title.c_str());
    ASSERT_NE(blocker, nullptr);
    auto probe = Start(title);
    std::vector<TSeenDialog> seen;
    {
        TDialogAnswerer answerer({A::Press(IDOK)}, probe->Info.dwThreadId);
        EXPECT_EQ(probe->WaitExit(30000), 1u);
        seen = answerer.Seen();
    }
    CloseHandle(blocker);
    ASSERT_EQ(seen.size(), 1u); // the message only: no main window was shown
    EXPECT_EQ(seen[0].Text, "Error creating shared memory " + title + " (6)");
}

// ---- whole runs ----------------------------------------------------------------------------------------

class WholeRun : public ::testing::Test {
protected:
    WholeRun() : Scratch("kalkomat-run"), Tmp("TMP", Scratch.Path()), Temp("TEMP", Scratch.Path()) {}
    // A folder of the product's name in the temporary folder, with something in it.
    void MakeTempFolder(const std::string& name) {
        ASSERT_TRUE(MakeFolders(Scratch / (name + "\\sub")));
        ASSERT_TRUE(WriteTextFile(Scratch / (name + "\\sub\\file.txt"), "x"));
    }
    // A copy of the probe named Kalkomat.exe in a folder of its own, with an access file beside it.
    std::string LockedCopy(const std::string& password) {
        const std::string dir = Scratch / "app";
        MakeFolders(dir);
        CopyFileA((ExeDir() + "frame_probe.exe").c_str(), (dir + "\\Kalkomat.exe").c_str(), FALSE);
        WriteTextFile(dir + "\\Kalkomat.wbl", "[Lizenz]\r\nPWProg=" + password + "\r\n");
        return dir + "\\Kalkomat.exe";
    }
    TScratchFolder Scratch;
    TSavedEnv Tmp;
    TSavedEnv Temp;
};

const char* const Refusal =
    "Sie haben ein ungültiges Kennwort eingegeben\rund dürfen das Programm nicht verwenden.";

TEST_F(WholeRun, RemovesTheTemporaryFolderAtTheEnd) {
    MakeTempFolder("Kalkomat");
    MakeTempFolder("WBS-Programm");
    auto run = Start(UniqueTitle(), "--close");
    EXPECT_EQ(run->WaitExit(30000), 0u);
    EXPECT_FALSE(PathExists(Scratch / "Kalkomat"));
    EXPECT_TRUE(PathExists(Scratch / "WBS-Programm\\sub\\file.txt"));

    // A program without the German string table, or without any, is "WBS-Programm" and removes that folder.
    for (const char* probe : {"frame_probe_other.exe", "frame_probe_nostrings.exe"}) {
        SCOPED_TRACE(probe);
        MakeTempFolder("Kalkomat");
        MakeTempFolder("WBS-Programm");
        auto other = Start(UniqueTitle(), "--close", ExeDir() + probe);
        EXPECT_EQ(other->WaitExit(30000), 0u);
        EXPECT_FALSE(PathExists(Scratch / "WBS-Programm"));
        EXPECT_TRUE(PathExists(Scratch / "Kalkomat\\sub\\file.txt"));
    }
}

// The temporary folder named by the system may be missing or read-only: the run still opens its window and
// ends normally.
TEST_F(WholeRun, TemporaryFolderMissingOrReadOnly) {
    {
        TSavedEnv tmp("TMP", Scratch / "missing");
        TSavedEnv temp("TEMP", Scratch / "missing");
        auto run = Start(UniqueTitle());
        ASSERT_NE(run->Window(), nullptr);
        EXPECT_EQ(run->Close(), 0u);
        EXPECT_FALSE(PathExists(Scratch / "missing"));
    }
    MakeTempFolder("Kalkomat");
    const std::string file = Scratch / "Kalkomat\\sub\\file.txt";
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA((Scratch / "Kalkomat\\sub").c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA(Scratch.Path().c_str(), FILE_ATTRIBUTE_READONLY));
    auto run = Start(UniqueTitle());
    ASSERT_NE(run->Window(), nullptr);
    EXPECT_EQ(run->Close(), 0u);
    SetFileAttributesA(Scratch.Path().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(WholeRun, HandedOverStartRemovesItToo) {
    const std::string title = UniqueTitle();
    auto first = Start(title);
    ASSERT_NE(first->Window(), nullptr);
    MakeTempFolder("Kalkomat");
    auto second = Start(title);
    EXPECT_EQ(second->WaitExit(30000), HandedOver);
    EXPECT_FALSE(PathExists(Scratch / "Kalkomat"));
    EXPECT_EQ(first->Close(), 0u);
}

TEST_F(WholeRun, RefusedPasswordEndsTheRun) {
    const std::string exe = LockedCopy("geheim");
    MakeTempFolder("Kalkomat");
    auto run = Start(UniqueTitle(), "", exe);
    std::vector<TSeenDialog> seen;
    {
        TDialogAnswerer answerer(
            {A::Sequence({A::SetEditText("Geheim"), A::PressButton("&OK")}), A::Press(IDOK)},
            run->Info.dwThreadId);
        EXPECT_EQ(run->WaitExit(30000), QuitWithWindowOpen); // the loop ended at its first turn
        seen = answerer.Seen();
    }
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].Caption, "Bitte Kennwort eingeben"); // the first window of the run
    EXPECT_EQ(seen[1].Text, Refusal);
    EXPECT_EQ(seen[1].Caption, "Kalkomat"); // the toolkit's title before the program sets its own
    EXPECT_FALSE(PathExists(Scratch / "Kalkomat"));
}

TEST_F(WholeRun, RightPasswordOpensTheWindow) {
    const std::string exe = LockedCopy("Größe");
    auto run = Start(UniqueTitle(), "", exe);
    std::vector<TSeenDialog> seen;
    {
        TDialogAnswerer answerer({A::Sequence({A::SetEditText("Größe"), A::PressKey(VK_RETURN)})},
                                 run->Info.dwThreadId);
        ASSERT_NE(run->Window(), nullptr);
        seen = answerer.Seen();
    }
    ASSERT_GE(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Bitte Kennwort eingeben");
    EXPECT_EQ(run->Close(), 0u);
}

TEST_F(WholeRun, SecondStartAsksForThePasswordFirst) {
    const std::string title = UniqueTitle();
    auto first = Start(title);
    const HWND window = MinimisedWindow(*first);
    ASSERT_NE(window, nullptr);

    auto second = Start(title, "", LockedCopy("geheim"));
    std::vector<TSeenDialog> seen;
    {
        TDialogAnswerer answerer(
            {A::Sequence({A::SetEditText("falsch"), A::PressButton("&OK")}), A::Press(IDOK)},
            second->Info.dwThreadId);
        EXPECT_EQ(second->WaitExit(30000), HandedOver);
        seen = answerer.Seen();
    }
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[0].Caption, "Bitte Kennwort eingeben");
    EXPECT_EQ(seen[1].Text, Refusal);
    // The running instance comes back even after the refused entry.
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(window); }, 5000));
    EXPECT_EQ(first->Close(), 0u);
}

} // namespace
