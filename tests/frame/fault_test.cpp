// The frame's files when they are not what they should be: a version block without strings, a program
// file that is no program, a "setup.ini" or access file that is not INI text or holds a huge value. The
// program either works with its defaults or asks as it should; it never crashes or opens by mistake.
#include "frame/WBProg.h"
#include "shell/WBSystem.h"

#include "tests/shell/DialogAnswerer.h"
#include "tests/shell/ShellFolderFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

namespace {

using A = TDialogAnswerer;

std::string ExeDir() {
    const std::string exe = GetExeName();
    return exe.substr(0, exe.find_last_of('\\') + 1);
}

// Little-endian UTF-16 with its byte-order mark, as Notepad saves "Unicode"; the text is Windows-1252.
std::string Utf16File(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {
        wchar_t wide = 0;
        MultiByteToWideChar(1252, 0, &c, 1, &wide, 1);
        bytes += static_cast<char>(wide & 0xFF);
        bytes += static_cast<char>(wide >> 8);
    }
    return bytes;
}

std::string Noise(std::size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

TEST(FaultyFiles, VersionBlockWithoutTheStringsGivesTheDefaults) {
    TScratchFolder scratch("kalkomat-version");
    ASSERT_TRUE(WriteTextFile(scratch / "text.exe", "[SETUP]\r\nPV=1\r\n"));
    ASSERT_TRUE(WriteTextFile(scratch / "empty.exe", ""));
    ASSERT_TRUE(WriteTextFile(scratch / "noise.exe", "MZ" + Noise(4096)));
    const std::string files[] = {
        ExeDir() + "frame_probe_nostrings.exe", // a block with a translation but no string table
        scratch / "text.exe",
        scratch / "empty.exe",
        scratch / "noise.exe",
        scratch.Path(), // a folder
    };
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        TWBProg context(file);
        context.ReadVersionInfo();
        EXPECT_EQ(context.ProductName, "WBS-Programm");
        EXPECT_EQ(context.InternalName, "");
        EXPECT_EQ(context.ProductVersion, "");
        EXPECT_EQ(context.LegalCopyright, "");
    }
}

// Lengths in a damaged block may point anywhere. Each case overwrites the two length words (whole length,
// value length) in front of one key of a copy of the probe; the version functions may reject the block
// or hand over what they find, and what reaches the context stays inside the block.
struct TDamage {
    const char* Key;
    std::uint16_t Length;
    std::uint16_t ValueLength;
};

std::string Utf16Key(const char* key) {
    std::string bytes;
    for (const char* c = key; *c; ++c) {
        bytes += *c;
        bytes += '\0';
    }
    return bytes;
}

TEST(FaultyFiles, DamagedVersionBlockIsReadWithinItsBounds) {
    std::ifstream in(ExeDir() + "frame_probe.exe", std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(original.empty());
    const TDamage damages[] = {
        {"ProductName", 0xFFFF, 0xFFFF}, // the value runs past the end of everything
        {"ProductName", 0x0032, 0x7FFF},     {"ProductName", 0x0000, 0x0000},
        {"StringFileInfo", 0x0000, 0x0000},                                // a table of no length
        {"StringFileInfo", 0xFFFF, 0x0000},  {"040704E4", 0x0008, 0x0000}, // shorter than its own name
        {"VS_VERSION_INFO", 0x0006, 0x0000},
    };
    TScratchFolder scratch("kalkomat-damaged");
    for (const TDamage& damage : damages) {
        SCOPED_TRACE(std::string(damage.Key) + " " + std::to_string(damage.Length) + " " +
                     std::to_string(damage.ValueLength));
        std::string copy = original;
        const std::size_t key = copy.find(Utf16Key(damage.Key));
        ASSERT_NE(key, std::string::npos);
        copy[key - 6] = static_cast<char>(damage.Length & 0xFF);
        copy[key - 5] = static_cast<char>(damage.Length >> 8);
        copy[key - 4] = static_cast<char>(damage.ValueLength & 0xFF);
        copy[key - 3] = static_cast<char>(damage.ValueLength >> 8);
        ASSERT_TRUE(WriteTextFile(scratch / "damaged.exe", copy));
        TWBProg context(scratch / "damaged.exe");
        context.ReadVersionInfo();
        for (const std::string* field :
             {&context.ProductName, &context.InternalName, &context.ProductVersion, &context.LegalCopyright})
            EXPECT_LT(field->size(), 64u) << *field;
        context.ComputeSettings();
    }
}

struct TSetupCase {
    const char* Name;
    std::string Content;
    bool Portable;
};

TEST(FaultyFiles, SetupIniThatIsNotPlainText) {
    const std::string huge(100000, '9');
    const TSetupCase cases[] = {
        {"one with a huge tail of blanks", "[SETUP]\r\nPV=1" + std::string(100000, ' ') + "\r\n", true},
        {"a huge number", "[SETUP]\r\nPV=" + huge + "\r\n", false},
        {"a huge key before it", "[SETUP]\r\n" + huge + "=1\r\nPV=1\r\n", true},
        {"a huge line before the section", huge + "\r\n[SETUP]\r\nPV=1\r\n", true},
        {"UTF-16 text", Utf16File("[SETUP]\r\nPV=1\r\n"), true},
        {"binary noise", Noise(65536), false},
        {"noise with the value in it", Noise(4096) + "\r\n[SETUP]\r\nPV=1\r\n", true},
        {"empty", "", false},
    };
    TScratchFolder scratch("kalkomat-setupini");
    for (const TSetupCase& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(WriteTextFile(scratch / "setup.ini", c.Content));
        TWBProg context(scratch / "Kalkomat.exe");
        context.ComputeSettings();
        EXPECT_EQ(context.Portable, c.Portable);
    }
    // A folder of that name is no file at all.
    DeleteFileA((scratch / "setup.ini").c_str());
    ASSERT_TRUE(MakeFolders(scratch / "setup.ini"));
    EXPECT_FALSE(TWBProg(scratch / "Kalkomat.exe").ReadPortableFlag());
}

struct TAccessFault {
    const char* Name;
    std::string Content;
    std::vector<A::TAction> Answers;
    bool Asked;
    bool Result;
};

TEST(FaultyFiles, AccessFileThatIsNotPlainText) {
    const auto type = [](const std::string& text) {
        return A::Sequence({A::SetEditText(text), A::PressButton("&OK")});
    };
    const std::string longPassword(100000, 'k');
    const TAccessFault cases[] = {
        {"binary noise", Noise(65536), {}, false, true},
        {"UTF-16 text", Utf16File("[Lizenz]\r\nPWProg=Größe\r\n"), {type("Größe")}, true, true},
        {"UTF-16 text, wrong entry",
         Utf16File("[Lizenz]\r\nPWProg=Größe\r\n"),
         {type("Grosse"), A::Press(IDOK)},
         true,
         false},
        {"noise before the section",
         Noise(4096) + "\r\n[Lizenz]\r\nPWProg=geheim\r\n",
         {type("geheim")},
         true,
         true},
        // Only the first 2047 characters of a value are read: a huge password still locks the program.
        {"huge password",
         "[Lizenz]\r\nPWProg=" + longPassword + "\r\n",
         {type("k"), A::Press(IDOK)},
         true,
         false},
        {"huge password entered",
         "[Lizenz]\r\nPWProg=" + longPassword + "\r\n",
         {type(std::string(2047, 'k'))},
         true,
         true},
    };
    TScratchFolder scratch("kalkomat-accessfault");
    for (const TAccessFault& c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(WriteTextFile(scratch / "Kalkomat.wbl", c.Content));
        TWBProg context(scratch / "Kalkomat.exe");
        bool result = false;
        std::vector<TSeenDialog> seen;
        {
            TDialogAnswerer answerer(c.Answers);
            result = context.CheckProgramPassword();
            seen = answerer.Seen();
        }
        EXPECT_EQ(result, c.Result);
        ASSERT_EQ(seen.size(), (c.Asked ? 1u : 0u) + (c.Result ? 0u : 1u));
        if (c.Asked) {
            EXPECT_EQ(seen[0].Caption, "Bitte Kennwort eingeben");
        }
    }
    // A folder of the access file's name holds no password.
    DeleteFileA((scratch / "Kalkomat.wbl").c_str());
    ASSERT_TRUE(MakeFolders(scratch / "Kalkomat.wbl"));
    TDialogAnswerer none({});
    EXPECT_TRUE(TWBProg(scratch / "Kalkomat.exe").CheckProgramPassword());
    EXPECT_TRUE(none.Seen().empty());
}

} // namespace
