// The program frame in this process: identity, folders, portable mode, the password lock and its dialog,
// the info dialog, and the commands behind the window's options menu.
#include "frame/WBCommands.h"
#include "frame/WBProg.h"
#include "frame/fWBPInfo.h"
#include "shell/WBSystem.h"
#include "ui/Application.h"

#include "tests/frame/FileContents.h"
#include "tests/shell/DialogAnswerer.h"
#include "tests/shell/SavedEnv.h"
#include "tests/shell/ShellFolderFixture.h"

#include <gtest/gtest.h>

#include <optional>

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

namespace {

using TAnswer = TDialogAnswerer;

std::string ExeDir() {
    const std::string exe = GetExeName();
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

// Holds the program context for one test, as the frame's start-up would have made it.
class TContextFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ProgContext = std::make_unique<TWBProg>();
        ProgContext->ReadVersionInfo();
    }
    void TearDown() override { ProgContext.reset(); }
};

// ---- identity --------------------------------------------------------------------------------------

TEST(ProgramContext, InitialValues) {
    const TWBProg context("C:\\nowhere\\prog.exe");
    EXPECT_EQ(context.ProductName, "WBS-Programm");
    EXPECT_EQ(context.DataName, "WBSDaten");
    EXPECT_EQ(context.NamePrefix, "WBS_");
    EXPECT_FALSE(context.Portable);
    for (const std::string* field :
         {&context.DataDir, &context.InternalName, &context.ProductVersion, &context.LegalCopyright,
          &context.RegKey, &context.RegKey2, &context.PWAdmin, &context.PWProg, &context.TempDir})
        EXPECT_EQ(*field, "");
    EXPECT_EQ(context.GetExeDir(), "C:\\nowhere\\");
    EXPECT_EQ(context.GetAccessFileName(), "C:\\nowhere\\prog.wbl");
}

struct TVersionCase {
    const char* File; // beside the test; empty: the test itself
    const char* ProductName;
    const char* InternalName;
    const char* ProductVersion;
    const char* LegalCopyright;
};

TEST(ProgramContext, ReadsTheGermanStringTableOnly) {
    const TVersionCase cases[] = {
        {"", "Kalkomat", "Kalkomat", "1.2.0.1", "Wembrik Software"}, // the program's own block
        {"frame_probe_other.exe", "WBS-Programm", "", "", ""},       // only an English table
        {"missing.exe", "WBS-Programm", "", "", ""},                 // no file at all
    };
    for (const TVersionCase& c : cases) {
        SCOPED_TRACE(c.File);
        TWBProg context = *c.File ? TWBProg(ExeDir() + c.File) : TWBProg();
        context.ReadVersionInfo();
        EXPECT_EQ(context.ProductName, c.ProductName);
        EXPECT_EQ(context.InternalName, c.InternalName);
        EXPECT_EQ(context.ProductVersion, c.ProductVersion);
        EXPECT_EQ(context.LegalCopyright, c.LegalCopyright);
        context.ComputeSettings();
        EXPECT_EQ(context.RegKey, std::string("Software\\Wembrik Software\\") + c.ProductName);
        EXPECT_EQ(context.RegKey2, context.RegKey);
        EXPECT_EQ(context.TempDir, GetTempDir() + c.ProductName);
    }
}

// ---- portable mode and folders -----------------------------------------------------------------------

struct TPortableCase {
    std::optional<std::string> SetupIni; // nullopt: no file
    bool Portable;
};

TEST(ProgramContext, PortableFlag) {
    const std::string huge(100000, '9');
    const TPortableCase cases[] = {
        {"[SETUP]\r\nPV=1\r\n", true},
        {"[SETUP]\r\nPV=2\r\n", false},
        {"[SETUP]\r\nPV=ja\r\n", false},
        {"[SETUP]\r\nPV=$1\r\n", true},
        {"[SETUP]\r\nPV=0x1\r\n", true},
        {"[SETUP]\r\nPV=X1\r\n", true},
        {"[SETUP]\r\nPV=  +1  \r\n", true}, // blanks around and a sign
        {"[SETUP]\r\nPV=1a\r\n", false},
        {"[SETUP]\r\nPV=4294967297\r\n", false}, // does not fit 32 bits: not 1
        {"[SETUP]\r\nOTHER=1\r\n", false},
        {"[SONST]\r\nPV=1\r\n", false},
        {std::nullopt, false},
        // Files that are not plain INI text. Only the first 2047 characters of a value are read.
        {"[SETUP]\r\nPV=1" + std::string(100000, ' ') + "\r\n", true},
        {"[SETUP]\r\nPV=" + huge + "\r\n", false},
        {"[SETUP]\r\n" + huge + "=1\r\nPV=1\r\n", true},
        {huge + "\r\n[SETUP]\r\nPV=1\r\n", true},
        {Utf16File("[SETUP]\r\nPV=1\r\n"), true},
        {Noise(65536), false},
        {Noise(4096) + "\r\n[SETUP]\r\nPV=1\r\n", true},
        {"", false},
    };
    TScratchFolder scratch("kalkomat-portable");
    for (const TPortableCase& c : cases) {
        SCOPED_TRACE(c.SetupIni ? c.SetupIni->substr(0, 40) : "(no file)");
        DeleteFileA((scratch / "setup.ini").c_str());
        if (c.SetupIni) {
            ASSERT_TRUE(WriteTextFile(scratch / "setup.ini", *c.SetupIni));
        }
        TWBProg context(scratch / "Kalkomat.exe");
        EXPECT_EQ(context.ReadPortableFlag(), c.Portable);
        context.ComputeSettings();
        EXPECT_EQ(context.Portable, c.Portable);
        if (c.Portable) {
            EXPECT_EQ(context.DataDir, scratch.Path() + "\\Daten\\");
        }
    }
    EXPECT_FALSE(PathExists(scratch / "Daten")); // only computed, never created
}

TEST(ProgramContext, FoldersAsComposed) {
    TScratchFolder scratch("kalkomat-folders");
    ASSERT_TRUE(MakeFolders(scratch / "Temp"));
    ASSERT_TRUE(MakeFolders(scratch / "Roaming"));
    // The shell copies the resolved folder into "Shell Folders": both values get their old content back.
    char profile[MAX_PATH] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    TSavedRegValue shellAppData("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                "AppData", "kalkomat-folders-", std::string(profile) + "\\AppData\\Roaming");
    TSavedRegValue appData("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                           "AppData", "kalkomat-folders-", "%USERPROFILE%\\AppData\\Roaming");
    appData.Set(scratch / "Roaming", REG_EXPAND_SZ);
    TSavedEnv tmp("TMP", scratch / "Temp");
    TSavedEnv temp("TEMP", scratch / "Temp");

    TWBProg context;
    context.ReadVersionInfo();
    context.ComputeSettings();
    EXPECT_EQ(GetAppDataDir(), scratch / "Roaming");
    EXPECT_EQ(context.DataDir, scratch / "Roaming\\Wembrik Software\\Kalkomat\\");
    EXPECT_EQ(context.GetDefaultDataDir(), context.DataDir);
    EXPECT_EQ(context.TempDir, scratch / "Temp\\Kalkomat"); // no trailing backslash
    EXPECT_FALSE(PathExists(scratch / "Roaming\\Wembrik Software"));
    EXPECT_FALSE(PathExists(scratch / "Temp\\Kalkomat"));

    // No application-data folder: the folder beside the executable, as in a portable installation.
    appData.Set(scratch / "missing", REG_EXPAND_SZ);
    if (!GetAppDataDir().empty())
        GTEST_SKIP() << "this system reports an application-data folder that does not exist";
    context.ComputeSettings();
    EXPECT_EQ(context.DataDir, ExeDir() + "Daten\\");
}

TEST(ProgramContext, NoTemporaryFolderRemovesNothing) {
    // When the system cannot name its temporary folder, the end of the run must not fall back to a bare
    // "Kalkomat" in the current directory.
    TScratchFolder scratch("kalkomat-notemp");
    ASSERT_TRUE(MakeFolders(scratch / "Kalkomat"));
    ASSERT_TRUE(WriteTextFile(scratch / "Kalkomat\\keep.txt", "x"));
    char old[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof old, old);
    SetCurrentDirectoryA(scratch.Path().c_str());
    {
        const std::string tooLong = "C:\\" + std::string(300, 'x');
        TSavedEnv tmp("TMP", tooLong);
        TSavedEnv temp("TEMP", tooLong);
        TSavedEnv profile("USERPROFILE", tooLong);
        ProgContext = std::make_unique<TWBProg>();
        ProgContext->ReadVersionInfo();
        ProgContext->ComputeSettings();
    }
    EXPECT_EQ(ProgContext->TempDir, "");
    WBProgShutdown();
    SetCurrentDirectoryA(old);
    EXPECT_TRUE(PathExists(scratch / "Kalkomat\\keep.txt"));
    EXPECT_EQ(ProgContext, nullptr);
}

TEST(ProgramContext, StartupAndShutdown) {
    TScratchFolder scratch("kalkomat-startup");
    TSavedEnv tmp("TMP", scratch.Path());
    TSavedEnv temp("TEMP", scratch.Path());
    ASSERT_TRUE(MakeFolders(scratch / "Kalkomat\\deep\\er"));
    ASSERT_TRUE(WriteTextFile(scratch / "Kalkomat\\deep\\er\\file.txt", "x"));

    WBProgStartup(); // no access file beside the test: no question
    ASSERT_NE(ProgContext, nullptr);
    ASSERT_NE(WBUser, nullptr);
    EXPECT_EQ(ProgContext->ProductName, "Kalkomat");
    EXPECT_EQ(ProgContext->TempDir, scratch / "Kalkomat");
    EXPECT_EQ(WBFormatSettings.DecimalSeparator, ',');
    EXPECT_EQ(WBFormatSettings.ThousandSeparator, '.');
    EXPECT_EQ(WBFormatSettings.DateSeparator, '.');
    EXPECT_EQ(WBFormatSettings.TimeSeparator, ':');
    EXPECT_EQ(WBFormatSettings.ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(WBFormatSettings.CurrencyDecimals, 2);
    EXPECT_EQ(WBFormatSettings.CurrencyString, "");
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)); // no termination requested

    WBProgShutdown();
    EXPECT_FALSE(PathExists(scratch / "Kalkomat"));
    EXPECT_TRUE(PathExists(scratch.Path()));
    EXPECT_EQ(ProgContext, nullptr);
    EXPECT_EQ(WBUser, nullptr);
    EXPECT_EQ(WBFormatSettings.ShortDateFormat, "");
    WBProgShutdown(); // a second end finds nothing to free
}

// ---- the password lock -------------------------------------------------------------------------------

const char* const Refusal =
    "Sie haben ein ungültiges Kennwort eingegeben\rund dürfen das Programm nicht verwenden.";
const char* const DialogTexts =
    "Die gewünschte Funktion ist nur für Personen mit entsprechender Berechtigung "
    "verfügbar. Bitte geben Sie das gültige Kennwort ein.|Programmkennwort|&OK";

struct TAccessCase {
    const char* Name;
    std::optional<std::string> AccessFile; // nullopt: none
    std::vector<TDialogAnswerer::TAction> Answers;
    bool Asked;  // the password dialog appeared
    bool Result; // the program may be used
    const char* PWAdmin;
};

TEST(PasswordLock, AccessFileCases) {
    using A = TDialogAnswerer;
    const auto typeOk = [](const std::string& text) {
        return A::Sequence({A::SetEditText(text), A::PressButton("&OK")});
    };
    const std::string longPassword(100000, 'k');
    const TAccessCase cases[] = {
        {"no file", std::nullopt, {}, false, true, ""},
        {"no section", "[Sonst]\r\nPWProg=geheim\r\n", {}, false, true, ""},
        {"empty password, admin set", "[Lizenz]\r\nPWProg=\r\nPWAdmin=chef\r\n", {}, false, true, "chef"},
        {"right password", "[Lizenz]\r\nPWProg=geheim\r\n", {typeOk("geheim")}, true, true, ""},
        {"blanks around the value",
         "[Lizenz]\r\nPWProg=   geheim   \r\n",
         {typeOk("geheim")},
         true,
         true,
         ""},
        {"quotes around the value", "[Lizenz]\r\nPWProg=\"geheim\"\r\n", {typeOk("geheim")}, true, true, ""},
        {"quoted blanks belong to it",
         "[Lizenz]\r\nPWProg=\" geheim\"\r\n",
         {typeOk(" geheim")},
         true,
         true,
         ""},
        {"umlauts", "[Lizenz]\r\nPWProg=Größe\r\n", {typeOk("Größe")}, true, true, ""},
        {"case differs",
         "[Lizenz]\r\nPWProg=Geheim\r\n",
         {typeOk("geheim"), A::Press(IDOK)},
         true,
         false,
         ""},
        {"trailing blank in the entry",
         "[Lizenz]\r\nPWProg=geheim\r\n",
         {typeOk("geheim "), A::Press(IDOK)},
         true,
         false,
         ""},
        {"empty entry", "[Lizenz]\r\nPWProg=geheim\r\n", {typeOk(""), A::Press(IDOK)}, true, false, ""},
        {"close box",
         "[Lizenz]\r\nPWProg=geheim\r\nPWAdmin=chef\r\n",
         {A::Sequence({A::SetEditText("geheim"), A::CloseBox()}), A::Press(IDOK)},
         true,
         false,
         "chef"},
        // Files that are not plain INI text.
        {"binary noise", Noise(65536), {}, false, true, ""},
        {"UTF-16 text", Utf16File("[Lizenz]\r\nPWProg=Größe\r\n"), {typeOk("Größe")}, true, true, ""},
        {"UTF-16 text, wrong entry",
         Utf16File("[Lizenz]\r\nPWProg=Größe\r\n"),
         {typeOk("Grosse"), A::Press(IDOK)},
         true,
         false,
         ""},
        {"noise before the section",
         Noise(4096) + "\r\n[Lizenz]\r\nPWProg=geheim\r\n",
         {typeOk("geheim")},
         true,
         true,
         ""},
        // Only the first 2047 characters of a value are read: a huge password still locks the program.
        {"huge password",
         "[Lizenz]\r\nPWProg=" + longPassword + "\r\n",
         {typeOk("k"), A::Press(IDOK)},
         true,
         false,
         ""},
        {"huge password entered",
         "[Lizenz]\r\nPWProg=" + longPassword + "\r\n",
         {typeOk(std::string(2047, 'k'))},
         true,
         true,
         ""},
    };
    TScratchFolder scratch("kalkomat-access");
    for (const TAccessCase& c : cases) {
        SCOPED_TRACE(c.Name);
        DeleteFileA((scratch / "Kalkomat.wbl").c_str());
        if (c.AccessFile) {
            ASSERT_TRUE(WriteTextFile(scratch / "Kalkomat.wbl", *c.AccessFile));
        }
        TWBProg context(scratch / "Kalkomat.exe");
        bool result = false;
        std::vector<TSeenDialog> seen;
        {
            TDialogAnswerer answerer(c.Answers);
            result = context.CheckProgramPassword();
            seen = answerer.Seen();
        }
        EXPECT_EQ(result, c.Result);
        EXPECT_EQ(context.PWAdmin, c.PWAdmin);
        const std::size_t expected = (c.Asked ? 1u : 0u) + (c.Result ? 0u : 1u);
        ASSERT_EQ(seen.size(), expected);
        if (c.Asked) {
            EXPECT_EQ(seen[0].Caption, "Bitte Kennwort eingeben");
            EXPECT_EQ(seen[0].Text, DialogTexts);
        }
        if (!c.Result) {
            EXPECT_EQ(seen.back().Text, Refusal);
            EXPECT_EQ(seen.back().Caption, Application.Title);
            EXPECT_EQ(seen.back().Buttons, std::vector<int>{IDOK});
        }
    }
}

TEST(PasswordLock, DialogKeys) {
    using A = TDialogAnswerer;
    const TWBProg context("C:\\nowhere\\Kalkomat.exe");
    HWND focusAtOpen = nullptr;
    HWND edit = nullptr;
    bool openAfterEsc = false;
    const DWORD thread = GetCurrentThreadId();
    const A::TAction look = [&](HWND dialog) {
        edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
        for (int i = 0; i < 50 && focusAtOpen != edit; ++i) { // the activation may still be on its way
            GUITHREADINFO info{};
            info.cbSize = sizeof(info);
            GetGUIThreadInfo(thread, &info);
            focusAtOpen = info.hwndFocus;
            // A virtual display without a window manager never activates a framed window: do it for the
            // system, as a click on the dialog would.
            if (i == 25 && info.hwndActive != dialog)
                SendMessageA(dialog, WM_ACTIVATE, WA_ACTIVE, 0);
            Sleep(20);
        }
    };

    { // Enter in the entry field confirms it
        TDialogAnswerer answerer({A::Sequence({look, A::SetEditText("Abc 1"), A::PressKey(VK_RETURN)})});
        EXPECT_EQ(context.AskPassword("Programmkennwort", ""), "Abc 1");
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_NE(edit, nullptr);
        EXPECT_EQ(focusAtOpen, edit); // the entry field has the focus when the dialog opens
    }
    { // Esc leaves the dialog open; the close box then gives nothing
        const A::TAction escape = [&](HWND dialog) {
            A::SetEditText("Abc")(dialog);
            A::PressKey(VK_ESCAPE)(dialog);
            Sleep(400);
            openAfterEsc = IsWindowVisible(dialog) != FALSE;
            A::CloseBox()(dialog);
        };
        TDialogAnswerer answerer({escape});
        EXPECT_EQ(context.AskPassword("Titel", "Eigener Text"), "");
        EXPECT_TRUE(openAfterEsc);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].Text, "Eigener Text|Titel|&OK");
    }
    { // the entry is a password field
        LONG_PTR style = 0;
        WPARAM mask = 0;
        const A::TAction inspect = [&](HWND dialog) {
            HWND field = FindWindowExA(dialog, nullptr, "Edit", nullptr);
            style = GetWindowLongPtrA(field, GWL_STYLE);
            mask = static_cast<WPARAM>(SendMessageA(field, EM_GETPASSWORDCHAR, 0, 0));
            A::PressButton("&OK")(dialog);
        };
        TDialogAnswerer answerer({inspect});
        context.AskPassword("Programmkennwort", "");
        EXPECT_TRUE(style & ES_PASSWORD);
        EXPECT_EQ(mask, static_cast<WPARAM>('*'));
    }
}

// ---- the info dialog ---------------------------------------------------------------------------------

struct TInfoCase {
    bool Portable;
    const char* Title;
    const char* Texts;
};

COLORREF LabelColour(HWND dialog, HWND label) {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
}

class InfoDialog : public TContextFixture {};

TEST_F(InfoDialog, ShowsTheContext) {
    const TInfoCase cases[] = {
        {false, "", "Wembrik Software|Kalkomat|Version 1.2.0.1|wbs.example|(c) Wembrik Software|&OK"},
        {true, "", "Wembrik Software|Kalkomat|Version 1.2.0.1 (P)|wbs.example|(c) Wembrik Software|&OK"},
        {false, "Mein Titel",
         "Wembrik Software|Mein Titel|Version 1.2.0.1|wbs.example|(c) Wembrik Software|&OK"},
    };
    for (const TInfoCase& c : cases) {
        SCOPED_TRACE(c.Texts);
        ProgContext->Portable = c.Portable;
        TDialogAnswerer answerer({TDialogAnswerer::PressButton("&OK")});
        ProgContext->ShowProgramInfo(c.Title);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].Caption, " Infos zum Programm");
        EXPECT_EQ(answerer.Seen()[0].Text, c.Texts);
    }
}

TEST_F(InfoDialog, EmptyIdentity) {
    ProgContext = std::make_unique<TWBProg>(ExeDir() + "frame_probe_other.exe");
    ProgContext->ReadVersionInfo();
    TDialogAnswerer answerer({TDialogAnswerer::CloseBox()});
    ProgContext->ShowProgramInfo("");
    ASSERT_EQ(answerer.Seen().size(), 1u);
    // Empty labels show no text: title, "Version " and "(c) " with nothing after them.
    EXPECT_EQ(answerer.Seen()[0].Text, "Wembrik Software|WBS-Programm|Version |wbs.example|(c) |&OK");
}

TEST_F(InfoDialog, LinkColourAndCursor) {
    std::vector<std::pair<HWND, std::string>> opened;
    TfrmWBPInfoFRM::OpenWebAddress = [&](HWND owner, const std::string& address) {
        opened.emplace_back(owner, address);
    };
    HWND dialogSeen = nullptr;
    COLORREF before = 0, after = 0;
    HCURSOR onLink = nullptr, onPanel = nullptr;
    bool openAfterEsc = false;
    const TDialogAnswerer::TAction play = [&](HWND dialog) {
        dialogSeen = dialog;
        HWND link = TDialogAnswerer::FindChild(dialog, WembrikHost);
        before = LabelColour(dialog, link);
        for (int i = 0; i < 2; ++i) // a click on the label, as the label reports it
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(0, STN_CLICKED), reinterpret_cast<LPARAM>(link));
        PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        Sleep(300);
        after = LabelColour(dialog, link);
        onLink = Application.Cursor;
        PostMessageA(dialog, WM_MOUSEMOVE, 0, MAKELPARAM(300, 150));
        Sleep(200);
        onPanel = Application.Cursor;
        PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3)); // the hand is in force when it closes
        TDialogAnswerer::PressKey(VK_ESCAPE)(dialog);
        Sleep(300);
        openAfterEsc = IsWindowVisible(dialog) != FALSE;
        TDialogAnswerer::PressKey(VK_RETURN)(dialog); // Enter presses OK
    };
    {
        TDialogAnswerer answerer({play, TDialogAnswerer::Sequence({[&](HWND dialog) {
                                                                       before = LabelColour(
                                                                           dialog, TDialogAnswerer::FindChild(
                                                                                       dialog, WembrikHost));
                                                                   },
                                                                   TDialogAnswerer::PressButton("&OK")})});
        ProgContext->ShowProgramInfo("");
        EXPECT_EQ(before, RGB(0, 0, 128));
        EXPECT_EQ(after, RGB(255, 0, 0));
        EXPECT_EQ(onLink, LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
        EXPECT_EQ(onPanel, nullptr);
        EXPECT_TRUE(openAfterEsc);
        EXPECT_EQ(Application.Cursor, nullptr); // the hand does not outlive the dialog
        ASSERT_EQ(opened.size(), 2u);
        EXPECT_EQ(opened[0].first, dialogSeen);
        EXPECT_EQ(opened[0].second, "https://wbs.example/");
        EXPECT_EQ(opened[1].second, "https://wbs.example/");

        before = 0;
        ProgContext->ShowProgramInfo(""); // opened anew: navy again
        EXPECT_EQ(before, RGB(0, 0, 128));
    }
    TfrmWBPInfoFRM::OpenWebAddress = nullptr;
}

// ---- the options menu's desktop symbol ---------------------------------------------------------------

const char* const Offer = "Möchtest du ein Programmsymbol zum Starten des Programms auf dem Desktop anlegen?";
const char* const AlsoDesktop = "Möchten Sie auch ein Symbol auf dem Desktop einfügen?";
const char* const Placed =
    "Auf dem Desktop wurde ein Programmsymbol mit dem Namen\r\"Kalkomat\" angelegt.\r\r"
    "Du kannst das Programm zukünftig durch Klick auf dieses Symbol starten.";
const char* const NotPlaced = "Programmsymbol konnte nicht angelegt werden.";

struct TOfferCase {
    const char* Name;
    std::vector<std::string> Prepare; // "+Folder" creates a folder, "-Value" removes a registry value
    std::vector<int> Answers;
    std::vector<std::string> Texts;
    std::vector<std::string> Links;
};

class DesktopSymbol : public TContextFixture {};

TEST_F(DesktopSymbol, AsksPlacesAndReports) {
    const TOfferCase cases[] = {
        {"answered No", {}, {IDNO}, {Offer}, {}},
        {"onto the desktop", {}, {IDYES, IDOK}, {Offer, Placed}, {"Desktop\\Kalkomat.lnk"}},
        {"into Schulprogramme",
         {"+Desktop\\Schulprogramme"},
         {IDYES, IDNO, IDOK},
         {Offer, AlsoDesktop, Placed},
         {"Desktop\\Schulprogramme\\Kalkomat.lnk"}},
        {"nowhere to go",
         {"-Desktop"},
         {IDYES, IDOK, IDOK},
         {Offer, "Could not determine where to create new shortcut!", NotPlaced},
         {}},
    };
    for (const TOfferCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TShellFolderFixture folders;
        for (const std::string& step : c.Prepare) {
            if (step[0] == '+')
                ASSERT_TRUE(MakeFolders(folders.Folder(step.substr(1))));
            else
                folders.Value(step.substr(1)).Remove();
        }
        std::vector<TDialogAnswerer::TAction> actions;
        for (const int id : c.Answers)
            actions.push_back(TDialogAnswerer::Press(id));
        std::vector<TSeenDialog> seen;
        {
            TDialogAnswerer answerer(actions);
            OfferDesktopSymbol(nullptr);
            seen = answerer.Seen();
        }
        ASSERT_EQ(seen.size(), c.Texts.size());
        for (std::size_t i = 0; i < seen.size(); ++i)
            EXPECT_EQ(seen[i].Text, c.Texts[i]) << i;
        EXPECT_EQ(seen[0].Caption, "Kalkomat");
        EXPECT_EQ(seen[0].DefaultButton, IDYES);
        EXPECT_TRUE(seen[0].HasIcon);
        if (c.Texts.back() == Placed || c.Texts.back() == NotPlaced) {
            EXPECT_EQ(seen.back().Caption, Application.Title);
            EXPECT_FALSE(seen.back().HasIcon);
        }
        EXPECT_EQ(FindLinks(folders.Root().Path()), c.Links);
        for (const std::string& link : c.Links)
            EXPECT_EQ(LinkTarget(folders.Folder(link)), Application.ExeName());
    }
}

} // namespace
