#include <gtest/gtest.h>

#include "launch/zt_patch.h"
#include "platform/error.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

struct PatchCase {
    const char* name;
    std::vector<std::string> patchFiles;
    std::string expected;  // the executable "0123456789" afterwards
};

TEST(ApplyZtPatchesTest, RecordsOverwriteTheExecutableInOrder) {
    const PatchCase cases[] = {
        {"count 0", {MakeZt({{1, "X"}}, 0)}, "0123456789"},
        {"count 0xFFFF", {MakeZt({{1, "X"}}, -1)}, "0123456789"},
        {"length 0 then another", {MakeZt({{2, ""}, {3, "AB"}})}, "012AB56789"},
        {"length 255 then another",
         {MakeZt({{0, std::string(255, 'Z')}, {1, "y"}})},
         std::string("Zy").append(253, 'Z')},
        {"the later file wins", {MakeZt({{4, "aa"}}), MakeZt({{5, "b"}})}, "0123ab6789"},
        {"past the end", {MakeZt({{12, "E"}})}, std::string("0123456789\0\0E", 13)},
        {"at the end", {MakeZt({{10, "EF"}})}, "0123456789EF"},
        {"trailing bytes ignored",
         {MakeZt({{0, "T"}}, std::nullopt, "\xFF\xFF\xFF\xFF\x01Q")},
         "T123456789"},
        {"header ignored",
         {MakeZt({{9, "h"}}, std::nullopt, "", std::string(13, '\xEE'))},
         "012345678h"},
    };
    for (const PatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        WriteFileBytes(folder / "XWINGALLIANCE.EXE", "0123456789");
        std::vector<std::filesystem::path> files;
        for (std::size_t i = 0; i < c.patchFiles.size(); ++i) {
            files.push_back(folder / Numbered("p", i, ".zt"));
            WriteFileBytes(files.back(), c.patchFiles[i]);
        }
        ApplyZtPatches(folder / "XWINGALLIANCE.EXE", files);
        EXPECT_EQ(ReadFileBytes(folder / "XWINGALLIANCE.EXE"), c.expected);
    }
}

TEST(ApplyZtPatchesTest, ADamagedFileLeavesTheExecutableUntouched) {
    std::string cut = MakeZt({{0, "abc"}, {4, "def"}});
    const std::pair<std::string, std::string> cases[] = {
        {"short", "it is too short to hold a record count"},
        {cut.substr(0, cut.size() - 1), "record 2 of 2 runs past the end of the file"},
        {cut.substr(0, 15 + 8 + 3), "record 2 of 2 runs past the end of the file"},
        {MakeZt({{-1, "x"}}), "record 1 of 1 writes at a negative offset"},
        {MakeZt({{0, "x"}}, 3), "record 2 of 3 runs past the end of the file"},
        {MakeZt({{0x7FFFFFFF, "x"}}),
         "a record writes at byte 2147483647, which would grow the executable past 64 MiB"},
    };
    for (const auto& [bytes, fault] : cases) {
        TempFolder folder;
        WriteFileBytes(folder / "XWINGALLIANCE.EXE", "0123456789");
        WriteFileBytes(folder / "a.zt", MakeZt({{0, "good"}}));
        WriteFileBytes(folder / "b.zt", bytes);
        try {
            ApplyZtPatches(folder / "XWINGALLIANCE.EXE", {folder / "a.zt", folder / "b.zt"});
            ADD_FAILURE() << "accepted: " << fault;
        } catch (const Error& error) {
            EXPECT_EQ(error.what(), "The patch file " + (folder / "b.zt").string() +
                                        " is damaged: " + fault + ".");
        }
        EXPECT_EQ(ReadFileBytes(folder / "XWINGALLIANCE.EXE"), "0123456789");
    }
}

}  // namespace
}  // namespace tolvane::testing
