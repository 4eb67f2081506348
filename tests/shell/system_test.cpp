// The system unit under Wine: shell folders, the silent folder delete, program symbols.
#include "shell/WBSystem.h"

#include "ui/Application.h"

#include "tests/shell/DialogAnswerer.h"
#include "tests/shell/SavedEnv.h"
#include "tests/shell/ShellFolderFixture.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemFolders, TempAndAppDataAreFullyQualified) {
    const std::string temp = GetTempDir();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(IsFullyQualifiedPath(temp)) << temp;
    const std::string appData = GetAppDataDir();
    EXPECT_TRUE(FolderExists(appData)) << appData;
    EXPECT_TRUE(GetSpecialFolder(-1).empty()); // no such folder: empty, no error
}

TEST(SystemFolders, UnreportableTempFolderGivesEmptyText) {
    // A temporary folder that does not fit the system's answer must not come back as a bare relative name.
    const std::string tooLong = "C:\\" + std::string(300, 'x');
    TSavedEnv tmp("TMP", tooLong);
    TSavedEnv temp("TEMP", tooLong);
    TSavedEnv profile("USERPROFILE", tooLong);
    EXPECT_EQ(GetTempDir(), "");
}

TEST(DeleteFolder, RemovesATreeSilently) {
    TScratchFolder scratch("kalkomat-delete");
    const std::string tree = scratch / "Tree";
    ASSERT_TRUE(MakeFolders(tree + "\\a\\b"));
    ASSERT_TRUE(WriteTextFile(tree + "\\a\\b\\file.txt", "x"));
    ASSERT_TRUE(WriteTextFile(tree + "\\top.txt", "y"));
    TDialogAnswerer answerer({});
    EXPECT_TRUE(DeleteFolder(tree));
    EXPECT_FALSE(PathExists(tree));
    EXPECT_TRUE(answerer.Seen().empty()); // no progress window, no question
}

TEST(DeleteFolder, LeavesFilesMissingPathsAndRelativeNamesAlone) {
    TScratchFolder scratch("kalkomat-delete");
    const std::string file = scratch / "file.txt";
    ASSERT_TRUE(WriteTextFile(file, "x"));
    EXPECT_FALSE(DeleteFolder(file));
    EXPECT_TRUE(PathExists(file));
    EXPECT_FALSE(DeleteFolder(scratch / "missing"));
    EXPECT_FALSE(DeleteFolder(""));

    // A bare name would be taken from the current directory: refused even when such a folder exists there.
    ASSERT_TRUE(MakeFolders(scratch / "Kalkomat"));
    char old[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof old, old);
    SetCurrentDirectoryA(scratch.Path().c_str());
    EXPECT_FALSE(DeleteFolder("Kalkomat"));
    EXPECT_FALSE(DeleteFolder(".\\Kalkomat"));
    EXPECT_FALSE(DeleteFolder(scratch.Path().substr(0, 2) + "Kalkomat")); // "C:Kalkomat"
    SetCurrentDirectoryA(old);
    EXPECT_TRUE(PathExists(scratch / "Kalkomat"));
}

TEST(DeleteFolder, LongPathsAreNeverCutShort) {
    // 254 characters and two zeros filled the old 256-character list. A longer path cut to fit would
    // name another folder: the sibling whose name is the cut path must survive every call.
    TScratchFolder scratch("kalkomat-delete");
    const std::string base = scratch.Path() + "\\";
    const std::string fits = base + std::string(254 - base.size(), 'd');
    ASSERT_TRUE(MakeFolders(fits));
    EXPECT_TRUE(DeleteFolder(fits));
    EXPECT_FALSE(PathExists(fits));
    for (const std::size_t length : {255u, 256u, 300u}) {
        SCOPED_TRACE(length);
        const std::string path = base + std::string(length - base.size(), 'd');
        const std::string cut = path.substr(0, 254);
        ASSERT_TRUE(MakeFolders(cut));
        if (!MakeFolders(path)) {
            GTEST_SKIP() << "this system cannot create a folder path of " << length << " characters";
        }
        const bool removed = DeleteFolder(path);
        EXPECT_EQ(PathExists(path), !removed); // the answer tells the truth
        EXPECT_TRUE(PathExists(cut));
        RemoveTree(path);
    }
}

// ---- program symbols ------------------------------------------------------------------------------

struct TShortcutCase {
    const char* Name;
    TShortcutLocation Location;
    const char* LinkName;
    const char* SubFolder;
    bool Silent;
    std::vector<std::string> Prepare; // "+Folder" creates a folder, "-Value" removes a registry value
    std::vector<int> Answers;         // buttons pressed in the windows that appear, in turn
    std::vector<std::string> Texts;   // their texts; "%T" stands for the target path
    std::vector<std::string> Links;   // link files afterwards, relative to the fixture's root
    bool Result;
};

const char* const Question = "Möchten Sie auch ein Symbol auf dem Desktop einfügen?";

std::string Expand(std::string text, const std::string& target) {
    const std::size_t at = text.find("%T");
    if (at != std::string::npos)
        text.replace(at, 2, target);
    return text;
}

TEST(ProgramShortcut, PlacesSymbolsAsAsked) {
    static_assert(sizeof("ö") == 2, "build with -fexec-charset=CP1252");
    const TShortcutCase cases[] = {
        {"empty name takes the target's",
         slDesktop,
         "",
         "",
         true,
         {},
         {},
         {},
         {"Desktop\\shell_tests.lnk"},
         true},
        {"slash and dot", slDesktop, "A/B 1.5", "", true, {}, {}, {}, {"Desktop\\A-B 1.lnk"}, true},
        {"loud, on the desktop",
         slDesktop,
         "Kalkomat",
         "",
         false,
         {},
         {IDOK},
         {"Added shortcut \"Kalkomat\" to the Desktop"},
         {"Desktop\\Kalkomat.lnk"},
         true},
        {"subfolder present, no second symbol",
         slDesktop,
         "Kalkomat",
         "Schulprogramme",
         false,
         {"+Desktop\\Schulprogramme"},
         {IDOK, IDNO},
         {"Added shortcut \"Kalkomat\" to the Desktop in the subfolder \"Schulprogramme\"", Question},
         {"Desktop\\Schulprogramme\\Kalkomat.lnk"},
         true},
        {"subfolder present, silent, second symbol",
         slDesktop,
         "Kalkomat",
         "Schulprogramme",
         true,
         {"+Desktop\\Schulprogramme"},
         {IDYES},
         {Question},
         {"Desktop\\Kalkomat.lnk", "Desktop\\Schulprogramme\\Kalkomat.lnk"},
         true},
        {"subfolder present, loud, second symbol",
         slDesktop,
         "Kalkomat",
         "Schulprogramme",
         false,
         {"+Desktop\\Schulprogramme"},
         {IDOK, IDYES, IDOK},
         {"Added shortcut \"Kalkomat\" to the Desktop in the subfolder \"Schulprogramme\"", Question,
          "Desktop shortcut to %T successfully created!"},
         {"Desktop\\Kalkomat.lnk", "Desktop\\Schulprogramme\\Kalkomat.lnk"},
         true},
        {"subfolder absent: directly, no question",
         slDesktop,
         "Kalkomat",
         "Schulprogramme",
         false,
         {},
         {IDOK},
         {"\"Schulprogramme\" is not a subfolder of the Desktop. Added the shortcut directly instead."},
         {"Desktop\\Kalkomat.lnk"},
         true},
        {"send-to menu with its subfolder",
         slSendTo,
         "Kalkomat",
         "Sub",
         false,
         {"+SendTo\\Sub"},
         {IDOK, IDNO},
         {"Added shortcut \"Kalkomat\" to the SendTo menu in the subfolder \"Sub\"", Question},
         {"SendTo\\Sub\\Kalkomat.lnk"},
         true},
        {"programs menu",
         slPrograms,
         "Kalkomat",
         "",
         false,
         {},
         {IDOK, IDNO},
         {"Added shortcut \"Kalkomat\" to the \"Start | Programs\" menu", Question},
         {"Programs\\Kalkomat.lnk"},
         true},
        {"start menu ignores the subfolder",
         slStartMenu,
         "Kalkomat",
         "Sub",
         false,
         {"+StartMenu\\Sub"},
         {IDOK, IDNO},
         {"Added shortcut \"Kalkomat\" to the Start Menu", Question},
         {"StartMenu\\Kalkomat.lnk"},
         true},
        {"quick launch from the shell folders, subfolder ignored",
         slQuickLaunch,
         "Kalkomat",
         "Sub",
         false,
         {"+QuickLaunch\\Sub"},
         {IDOK, IDNO},
         {"Added shortcut \"Kalkomat\" to the Quick Launch (SysTray) area", Question},
         {"QuickLaunch\\Kalkomat.lnk"},
         true},
        {"quick launch from the group conversion first",
         slQuickLaunch,
         "Kalkomat",
         "",
         true,
         {"=MapGroups"},
         {IDNO},
         {Question},
         {"MapGroups\\Kalkomat.lnk"},
         true},
        {"missing location value: the desktop, named as asked",
         slSendTo,
         "Kalkomat",
         "",
         false,
         {"-SendTo"},
         {IDOK},
         {"Added shortcut \"Kalkomat\" to the SendTo menu"},
         {"Desktop\\Kalkomat.lnk"},
         true},
        {"no folder at all",
         slSendTo,
         "Kalkomat",
         "",
         false,
         {"-SendTo", "-Desktop"},
         {IDOK},
         {"Could not determine where to create new shortcut!"},
         {},
         false},
        {"first name taken: (1)",
         slDesktop,
         "Kalkomat",
         "",
         true,
         {"+Desktop\\Kalkomat.lnk"},
         {},
         {},
         {"Desktop\\Kalkomat (1).lnk"},
         true},
        {"two names taken: (2)",
         slDesktop,
         "Kalkomat",
         "",
         true,
         {"+Desktop\\Kalkomat.lnk", "+Desktop\\Kalkomat (1).lnk"},
         {},
         {},
         {"Desktop\\Kalkomat (2).lnk"},
         true},
        {"three names taken: no (3)",
         slDesktop,
         "Kalkomat",
         "",
         true,
         {"+Desktop\\Kalkomat.lnk", "+Desktop\\Kalkomat (1).lnk", "+Desktop\\Kalkomat (2).lnk"},
         {IDOK},
         {"Could not create shortcut to %T"},
         {},
         false},
        {"question after a failure, desktop saves the day",
         slSendTo,
         "Kalkomat",
         "",
         true,
         {"+SendTo\\Kalkomat.lnk", "+SendTo\\Kalkomat (1).lnk", "+SendTo\\Kalkomat (2).lnk"},
         {IDOK, IDYES},
         {"Could not create shortcut to %T", Question},
         {"Desktop\\Kalkomat.lnk"},
         true},
        {"both fail",
         slSendTo,
         "Kalkomat",
         "",
         true,
         {"+SendTo\\Kalkomat.lnk", "+SendTo\\Kalkomat (1).lnk", "+SendTo\\Kalkomat (2).lnk",
          "+Desktop\\Kalkomat.lnk", "+Desktop\\Kalkomat (1).lnk", "+Desktop\\Kalkomat (2).lnk"},
         {IDOK, IDYES, IDOK},
         {"Could not create shortcut to %T", Question, "Could not create desktop shortcut to %T"},
         {},
         false},
    };
    const std::string target = GetExeName();
    for (const TShortcutCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TShellFolderFixture folders;
        for (const std::string& step : c.Prepare) {
            if (step[0] == '+')
                ASSERT_TRUE(MakeFolders(folders.Folder(step.substr(1))));
            else if (step[0] == '-')
                folders.Value(step.substr(1)).Remove();
            else
                folders.Value(step.substr(1)).Set(folders.Folder(step.substr(1)));
        }
        bool result = false;
        std::vector<TSeenDialog> seen;
        {
            std::vector<TDialogAnswerer::TAction> actions;
            for (const int id : c.Answers)
                actions.push_back(TDialogAnswerer::Press(id));
            TDialogAnswerer answerer(actions);
            result = CreateProgramShortcut(target, "", c.LinkName, c.SubFolder, c.Location, c.Silent);
            seen = answerer.Seen();
        }
        EXPECT_EQ(result, c.Result);
        ASSERT_EQ(seen.size(), c.Texts.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].Text, Expand(c.Texts[i], target));
            EXPECT_EQ(seen[i].Caption, Application.Title);
            if (seen[i].Text == Question) {
                EXPECT_EQ(seen[i].Buttons, (std::vector<int>{IDYES, IDNO}));
                EXPECT_TRUE(seen[i].HasIcon);
            } else {
                EXPECT_EQ(seen[i].Buttons, std::vector<int>{IDOK});
                EXPECT_FALSE(seen[i].HasIcon);
            }
        }
        EXPECT_EQ(FindLinks(folders.Root().Path()), c.Links);
        for (const std::string& link : FindLinks(folders.Root().Path()))
            EXPECT_EQ(LinkTarget(folders.Folder(link)), target) << link;
    }
}

TEST(ProgramShortcut, WorkingFolderOnlyWhenItExists) {
    TShellFolderFixture folders;
    const std::string target = GetExeName();
    ASSERT_TRUE(CreateProgramShortcut(target, folders.Root().Path(), "WithDir", "", slDesktop, true));
    ASSERT_TRUE(CreateProgramShortcut(target, folders.Folder("missing"), "NoDir", "", slDesktop, true));
    CoInitialize(nullptr);
    for (const auto& [name, want] : {std::pair<std::string, std::string>{"WithDir", folders.Root().Path()},
                                     std::pair<std::string, std::string>{"NoDir", ""}}) {
        IShellLinkA* link = nullptr;
        ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                               IID_IShellLinkA, reinterpret_cast<void**>(&link))));
        IPersistFile* file = nullptr;
        link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
        wchar_t wide[MAX_PATH * 2] = {};
        const std::string path = folders.Folder("Desktop\\" + name + ".lnk");
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
        ASSERT_TRUE(SUCCEEDED(file->Load(wide, STGM_READ))) << path;
        char dir[MAX_PATH] = {};
        link->GetWorkingDirectory(dir, sizeof dir);
        EXPECT_EQ(std::string(dir), want) << name;
        file->Release();
        link->Release();
    }
    CoUninitialize();
}

TEST(ProgramShortcut, ReleasesComOnEveryWayOut) {
    // After each call the thread's COM is as before: a multithreaded apartment can be entered again.
    TShellFolderFixture folders;
    folders.Value("Desktop").Remove();
    folders.Value("SendTo").Remove();
    const std::string target = GetExeName();
    {
        TDialogAnswerer answerer(PressEach({IDOK, IDOK}));
        EXPECT_FALSE(CreateProgramShortcut(target, "", "x", "", slSendTo, true));
        EXPECT_FALSE(CreateProgramShortcut(target, "", "x", "", slDesktop, true));
        EXPECT_EQ(answerer.Seen().size(), 2u);
    }
    const HRESULT mta = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(mta, S_OK) << "COM was left initialised";
    if (SUCCEEDED(mta))
        CoUninitialize();
}

} // namespace
