// Path texts of the system unit; plain text functions, run on the host and under Wine.
#include "shell/WBPaths.h"

#include <gtest/gtest.h>

namespace {

struct TTextCase {
    const char* Input;
    const char* Want;
};

struct TJoinCase {
    const char* First;
    const char* Second;
    const char* Want;
};

TEST(PathHelpers, IncludeBackslash) {
    const TTextCase cases[] = {
        {"", ""}, // must not turn "" into the root "\"
        {"C:\\Temp", "C:\\Temp\\"},
        {"C:\\Temp\\", "C:\\Temp\\"}, // never doubled
        {"\\", "\\"},
        {"C:\\Temp\\\\", "C:\\Temp\\\\"}, // only the last character counts
        {"C:/Temp/", "C:/Temp/\\"},       // a forward slash is an ordinary character
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Input);
        EXPECT_EQ(IncludeBackslash(c.Input), c.Want);
    }
}

TEST(PathHelpers, JoinPath) {
    const TJoinCase cases[] = {
        {"", "\\b", "\\b"}, // an empty first piece leaves the second untouched
        {"", "", ""},
        {"C:\\a", "b", "C:\\a\\b"},
        {"C:\\a\\", "b", "C:\\a\\b"},
        {"C:\\a", "\\b", "C:\\a\\b"},
        {"C:\\a\\", "\\b", "C:\\a\\b"},
        {"C:\\a\\", "", "C:\\a"},
        {"C:\\", "", "C:"},
        {"C:\\a\\\\", "b", "C:\\a\\\\b"}, // at most one backslash goes on each side
        {"C:\\a", "\\\\b", "C:\\a\\\\b"},
        {"a/", "/b", "a/\\/b"},
    };
    for (const TJoinCase& c : cases) {
        SCOPED_TRACE(std::string(c.First) + " + " + c.Second);
        EXPECT_EQ(JoinPath(c.First, c.Second), c.Want);
    }
}

TEST(PathHelpers, ShortcutLinkName) {
    const TJoinCase cases[] = {
        // link name, target, file name without ".lnk"
        {"", "C:\\Prog\\Calc.exe", "Calc"},
        {"A/B 1.5", "C:\\Prog\\Calc.exe", "A-B 1"},
        {"Kalkomat", "C:\\Prog\\Calc.exe", "Kalkomat"},
        {"", "C:Calc.exe", "Calc"}, // a colon ends the folder part as well
        {"", "C:\\Prog.d\\Calc", "Calc"},
        {"a.b\\c", "", "a.b\\c"}, // the dot lies before the last backslash
        {"x.y:z", "", "x.y:z"},
        {"Name.", "", "Name"},
        {"a/b/c", "", "a-b-c"},
        {"", "", ""},
    };
    for (const TJoinCase& c : cases) {
        SCOPED_TRACE(std::string(c.First) + " | " + c.Second);
        EXPECT_EQ(ShortcutLinkName(c.First, c.Second), c.Want);
    }
}

TEST(PathHelpers, ChangeFileExt) {
    const TTextCase cases[] = {
        {"C:\\Prog\\Kalkomat.exe", "C:\\Prog\\Kalkomat.wbl"},
        {"C:\\Prog.d\\Kalkomat", "C:\\Prog.d\\Kalkomat.wbl"}, // no extension: appended
        {"C:\\Prog\\a.b.exe", "C:\\Prog\\a.b.wbl"},
        {"", ".wbl"},
    };
    for (const TTextCase& c : cases) {
        SCOPED_TRACE(c.Input);
        EXPECT_EQ(ChangeFileExt(c.Input, ".wbl"), c.Want);
    }
}

struct TSafetyCase {
    const char* Path;
    bool Qualified;
    bool Deletable;
};

TEST(PathHelpers, DeletableFolderPaths) {
    const TSafetyCase cases[] = {
        {"C:\\Temp\\Kalkomat", true, true},
        {"c:\\Temp\\Kalkomat\\", true, true},
        {"C:/Temp/Kalkomat", true, true},
        {"\\\\server\\share\\Kalkomat", true, true},
        {"", false, false},
        {"Kalkomat", false, false}, // bare name: would hit the current directory
        {".\\Kalkomat", false, false},
        {"C:Kalkomat", false, false}, // relative to the drive's current directory
        {"\\Kalkomat", false, false}, // relative to the current drive
        {"C:\\", true, false},
        {"C:\\\\", true, false},
        {"C:", false, false},
        {"\\\\server\\share", true, false},
        {"\\\\server\\share\\", true, false},
        {"\\\\server", false, false},
        {"\\\\?\\C:\\Temp\\Kalkomat", false, false},
        {"\\\\.\\C:\\Temp\\Kalkomat", false, false},
        {"\\\\\\C:\\Temp", false, false},
        {"C:\\Temp\\..", false, false},
        {"C:\\Temp\\..\\Kalkomat", false, false},
        {"C:\\Temp\\...", false, false}, // Windows strips trailing dots: that is C:\Temp
        {"C:\\Temp\\. ", false, false},
        {"C:\\Temp\\*", false, false},
        {"C:\\Temp\\a?", false, false},
        {"C:\\Temp\\a:b", false, false},
        {"C:\\Temp\\a\tb", false, false},
    };
    for (const TSafetyCase& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(IsFullyQualifiedPath(c.Path), c.Qualified);
        EXPECT_EQ(IsDeletableFolderPath(c.Path), c.Deletable);
    }
}

TEST(PathHelpers, SubfolderToRemove) {
    const TJoinCase cases[] = {
        {"C:\\Temp\\", "Kalkomat", "C:\\Temp\\Kalkomat"},
        {"C:\\Temp", "Kalkomat", "C:\\Temp\\Kalkomat"},
        {"C:\\", "Kalkomat", "C:\\Kalkomat"},
        {"", "Kalkomat", ""},       // no temporary folder: never a bare name
        {"Temp\\", "Kalkomat", ""}, // nor one relative to the current directory
        {"C:\\Temp\\", "", ""},     // never the temporary folder itself
        {"C:\\Temp\\", "..", ""},
        {"C:\\Temp\\", "a\\..\\..", ""},
        {"C:\\Temp\\", "C:\\Windows", ""},
    };
    for (const TJoinCase& c : cases) {
        SCOPED_TRACE(std::string(c.First) + " + " + c.Second);
        EXPECT_EQ(SubfolderToRemove(c.First, c.Second), c.Want);
    }
}

} // namespace
