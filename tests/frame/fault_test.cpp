// The frame's files when they are not what they should be: a version block without strings or damaged, a
// program file that is no program, folders where files should be. The program works with its defaults; it
// never crashes or opens by mistake. (Setup and access files that are not plain INI text are cases of the
// frame tests' tables.)
#include "frame/WBProg.h"
#include "shell/WBSystem.h"

#include "tests/frame/FileContents.h"
#include "tests/shell/DialogAnswerer.h"
#include "tests/shell/ShellFolderFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

static_assert(sizeof("ü") == 2, "build with -fexec-charset=CP1252");

namespace {

std::string ExeDir() {
    const std::string exe = GetExeName();
    return exe.substr(0, exe.find_last_of('\\') + 1);
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

TEST(FaultyFiles, FoldersWhereFilesShouldBe) {
    TScratchFolder scratch("kalkomat-folders-as-files");
    ASSERT_TRUE(MakeFolders(scratch / "setup.ini"));
    ASSERT_TRUE(MakeFolders(scratch / "Kalkomat.wbl"));
    TWBProg context(scratch / "Kalkomat.exe");
    EXPECT_FALSE(context.ReadPortableFlag());
    TDialogAnswerer none({});
    EXPECT_TRUE(context.CheckProgramPassword()); // no password, no question
    EXPECT_TRUE(none.Seen().empty());
}

} // namespace
