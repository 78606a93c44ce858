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

}  // namespace
}  // namespace tolvane::testing
