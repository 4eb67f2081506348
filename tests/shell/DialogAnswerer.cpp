#include "tests/shell/DialogAnswerer.h"

#include <utility>
#include <chrono>

namespace {

constexpr int MessageBoxTextId = 0xFFFF; // the static text of a system message box
constexpr int MessageBoxIconId = 0x0440; // its icon

std::string WindowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

struct TFindState {
    DWORD Thread;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<TFindState*>(data);
    if (GetWindowThreadProcessId(window, nullptr) == state->Thread && IsWindowVisible(window))
        state->Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildText(HWND child, LPARAM data) {
    auto* texts = reinterpret_cast<std::string*>(data);
    const std::string text = WindowText(child);
    if (!text.empty()) {
        if (!texts->empty())
            *texts += '|';
        *texts += text;
    }
    return TRUE;
}

struct TChildSearch {
    std::string Text;
    HWND Found = nullptr;
};

BOOL CALLBACK FindChildByText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<TChildSearch*>(data);
    if (WindowText(child) != search->Text)
        return TRUE;
    search->Found = child;
    return FALSE;
}

void Click(HWND button) {
    // The press as the button reports it to its dialog; works from another thread and needs no focus.
    const HWND parent = GetParent(button);
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void CloseSomehow(HWND window) {
    for (const int id : {IDCANCEL, IDNO, IDOK})
        if (HWND button = GetDlgItem(window, id)) {
            Click(button);
            return;
        }
    PostMessageA(window, WM_CLOSE, 0, 0);
}

} // namespace

TDialogAnswerer::TDialogAnswerer(std::vector<TAction> actions, DWORD thread)
    : Actions(std::move(actions)), Thread(thread) {
    // Windows that exist already are not ours to answer.
    TFindState state{Thread, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    Known.insert(state.Found.begin(), state.Found.end());
    Watcher = std::thread([this] { Watch(); });
}

TDialogAnswerer::~TDialogAnswerer() {
    Stop = true;
    Watcher.join();
}

std::vector<TSeenDialog> TDialogAnswerer::Seen() const {
    std::lock_guard<std::mutex> guard(Lock);
    return SeenDialogs;
}

std::vector<std::string> TDialogAnswerer::Texts() const {
    std::vector<std::string> texts;
    for (const TSeenDialog& seen : Seen())
        texts.push_back(seen.Text);
    return texts;
}

TSeenDialog TDialogAnswerer::Describe(HWND window) {
    TSeenDialog seen;
    seen.Caption = WindowText(window);
    char className[256] = {};
    GetClassNameA(window, className, sizeof className);
    seen.ClassName = className;
    if (HWND text = GetDlgItem(window, MessageBoxTextId))
        seen.Text = WindowText(text);
    else
        EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&seen.Text));
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO})
        if (GetDlgItem(window, id))
            seen.Buttons.push_back(id);
    for (const int id : seen.Buttons)
        if ((GetWindowLongPtrA(GetDlgItem(window, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON)
            seen.DefaultButton = id;
    if (HWND icon = GetDlgItem(window, MessageBoxIconId))
        seen.HasIcon = SendMessageA(icon, STM_GETICON, 0, 0) != 0;
    return seen;
}

TDialogAnswerer::TAction TDialogAnswerer::Press(int id) {
    return [id](HWND window) {
        if (HWND button = GetDlgItem(window, id))
            Click(button);
        else
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    };
}

TDialogAnswerer::TAction TDialogAnswerer::TypeAndPress(const std::string& text, int id) {
    return [text, id](HWND window) {
        if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr))
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Press(id)(window);
    };
}

TDialogAnswerer::TAction TDialogAnswerer::Then(TAction first, TAction second) {
    return [first = std::move(first), second = std::move(second)](HWND window) {
        first(window);
        second(window);
    };
}

TDialogAnswerer::TAction TDialogAnswerer::Sequence(std::vector<TAction> steps) {
    return [steps = std::move(steps)](HWND window) {
        for (const TAction& step : steps)
            step(window);
    };
}

HWND TDialogAnswerer::FindChild(HWND window, const std::string& text) {
    TChildSearch search{text, nullptr};
    EnumChildWindows(window, FindChildByText, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

TDialogAnswerer::TAction TDialogAnswerer::PressButton(const std::string& caption) {
    return [caption](HWND window) {
        if (HWND button = FindChild(window, caption))
            PostMessageA(button, BM_CLICK, 0, 0);
    };
}

TDialogAnswerer::TAction TDialogAnswerer::SetEditText(const std::string& text) {
    return [text](HWND window) {
        if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr))
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    };
}

TDialogAnswerer::TAction TDialogAnswerer::PressKey(WORD key) {
    return [key](HWND window) {
        HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr);
        HWND target = edit ? edit : window;
        const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
        PostMessageA(target, WM_KEYDOWN, key, static_cast<LPARAM>(1 | (scan << 16)));
        PostMessageA(target, WM_KEYUP, key, static_cast<LPARAM>(1 | (scan << 16) | (3u << 30)));
    };
}

TDialogAnswerer::TAction TDialogAnswerer::CloseBox() {
    return [](HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); };
}

TDialogAnswerer::TAction TDialogAnswerer::Pause(int milliseconds) {
    return [milliseconds](HWND) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
}

void TDialogAnswerer::Handle(HWND window) {
    // Let the window finish its set-up (texts, default button) before looking at it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const TSeenDialog seen = Describe(window);
    {
        std::lock_guard<std::mutex> guard(Lock);
        SeenDialogs.push_back(seen);
    }
    if (Next < Actions.size())
        Actions[Next++](window);
    else
        CloseSomehow(window);
}

void TDialogAnswerer::Watch() {
    while (!Stop) {
        TFindState state{Thread, {}};
        EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
        for (auto it = Known.begin(); it != Known.end();)
            it = IsWindow(*it) ? std::next(it) : Known.erase(it);
        for (HWND window : state.Found)
            if (Known.insert(window).second)
                Handle(window);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::vector<TDialogAnswerer::TAction> PressEach(std::initializer_list<int> ids) {
    std::vector<TDialogAnswerer::TAction> actions;
    for (const int id : ids)
        actions.push_back(TDialogAnswerer::Press(id));
    return actions;
}
