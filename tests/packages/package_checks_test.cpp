#include <gtest/gtest.h>

#include "packages/package_checks.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

const char* kModifiedExe =
    "This ShipSet contains a modified XWINGALLIANCE.exe!  This is against LucasArts wishes, so "
    "this ShipSet will not be playable by means of Tolvane.\r\rContact the author and inform "
    "him/her of this error.";

std::string DamagedText(const std::string& fault) {
    return "The ShipSet you are trying to launch is damaged: " + fault +
           ".  Contact the author or redownload the file again.";
}

// The refusal of the package these bytes make, or nothing when it opens for a launch.
std::optional<LaunchRefusal> RefusalOf(const TempFolder& folder, const std::string& bytes) {
    WriteFileBytes(folder / "p.gob", bytes);
    auto opened = OpenPackageForLaunch(folder / "p.gob");
    if (auto* refusal = std::get_if<LaunchRefusal>(&opened))
        return *refusal;
    return std::nullopt;
}

TEST(PackageChecksTest, OnlyATopLevelExecutableMemberIsRefused) {
    TempFolder folder;
    const std::pair<std::vector<GobEntry>, bool> cases[] = {
        {{{"xwingalliance.exe", "x"}}, true},
        {{{"A.LFD", "a"}, {"B.LFD", "b"}, {"XWingAlliance.EXE", "x"}}, true},
        {{{"XWINGALLIANCE.EXE. .", "x"}}, true},
        {{{"XWINGALLIANCE.EXE.BAK", "x"}}, false},
        {{{"DATA\\XWINGALLIANCE.EXE", "x"}}, false},
    };
    for (const auto& [entries, refused] : cases) {
        std::optional<LaunchRefusal> refusal = RefusalOf(folder, MakeGob(entries));
        EXPECT_EQ(refusal.has_value(), refused) << entries.back().name;
        if (refusal) {
            EXPECT_EQ(refusal->text, kModifiedExe);
            EXPECT_EQ(refusal->title, "Sorry...");
            EXPECT_EQ(refusal->icon, Icon::Critical);
        }
    }
}

TEST(PackageChecksTest, DamagedPackagesAreDescribed) {
    TempFolder folder;
    struct Case {
        std::string bytes;
        std::optional<std::string> fault;
    };
    std::string truncated = MakeGob({{"A.LFD", "aaaa"}, {"B.LFD", "bbbb"}});
    const Case cases[] = {
        {MakeGob({{"A.LFD", "a"}}, 1000), "its directory of 1000 members does not fit in the file"},
        {MakeGob({{"A.LFD", "a", std::nullopt, 0xFFFFFFF0u}}),
         "member 1 (A.LFD) lies outside the file"},
        {MakeGob({{"A.LFD", "abc", std::nullopt, std::nullopt, 4000}}),
         "member 1 (A.LFD) lies outside the file"},
        {truncated.substr(0, truncated.size() - 2), "member 2 (B.LFD) lies outside the file"},
        // A member without a name is skipped, not refused.
        {MakeGob({{"", "a"}}), std::nullopt},
        {MakeGob({{"   ", "a"}, {"A.LFD", "a"}}), std::nullopt},
        {MakeGob({{"\\WINDOWS\\x.dll", "a"}}),
         "member 1 (\\WINDOWS\\x.dll) is not a path inside the game folder"},
        {MakeGob({{"C:x.dll", "a"}}), "member 1 (C:x.dll) names a drive"},
        {MakeGob({{"A.LFD", "a"}, {"..\\..\\evil.dll", "x"}}),
         "member 2 (..\\..\\evil.dll) points outside its own folder"},
        {MakeGob({{"a\\\\x", "a"}}), "member 1 (a\\\\x) has an empty folder name"},
        {MakeGob({{"wave/x.wav", "a"}}),
         "member 1 (wave/x.wav) has a character that Windows does not allow in file names"},
        {MakeGob({{"what?.lfd", "a"}}),
         "member 1 (what?.lfd) has a character that Windows does not allow in file names"},
        {"GOB", "Could not read " + (folder / "p.gob").string() + ": it ends too early"},
        {MakeGob({{"A.LFD", "a", std::string("A.LFD\0junk", 10)}}), std::nullopt},
        {MakeGob({{"A.LFD", "a"}, {"wave\\B.WAV", "b"}}), std::nullopt},
        {MakeGob({}, -5), std::nullopt},
    };
    for (const Case& c : cases) {
        std::optional<LaunchRefusal> refusal = RefusalOf(folder, c.bytes);
        EXPECT_EQ(refusal.has_value(), c.fault.has_value()) << c.fault.value_or("sound");
        if (refusal && c.fault) {
            EXPECT_EQ(refusal->text, DamagedText(*c.fault));
            EXPECT_EQ(refusal->title, "Invalid .Gob");
        }
    }
}

}  // namespace
}  // namespace tolvane::testing
