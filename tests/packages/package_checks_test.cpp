#include <gtest/gtest.h>

#include "packages/package_checks.h"
#include "packages/package_validator.h"
#include "support/package_files.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

const char* kNotValid =
    "The ShipSet you are trying to launch is not a valid .Gob file.  Contact the author or "
    "redownload the file again.";
const char* kModifiedExe =
    "This ShipSet contains a modified XWINGALLIANCE.exe!  This is against LucasArts wishes, so "
    "this ShipSet will not be playable by means of Tolvane.\r\rContact the author and inform "
    "him/her of this error.";

TEST(PackageChecksTest, TheSignatureMustBeGobInCapitals) {
    TempFolder folder;
    const std::pair<std::string, bool> cases[] = {
        {"gob and more", false}, {" GO", false}, {"", false},
        {"GO", false},           {"GOB", true},  {"GOBxyz", true}};
    for (const auto& [bytes, valid] : cases) {
        WriteFileBytes(folder / "p.gob", bytes);
        EXPECT_EQ(HasGobSignature(folder / "p.gob"), valid) << "\"" << bytes << "\"";
    }
    EXPECT_FALSE(HasGobSignature(folder / "missing.gob"));
}

TEST(PackageChecksTest, OnlyATopLevelExecutableMemberIsRefused) {
    TempFolder folder;
    const std::pair<std::vector<GobEntry>, bool> cases[] = {
        {{{"xwingalliance.exe", "x"}}, true},
        {{{"A.LFD", "a"}, {"B.LFD", "b"}, {"XWingAlliance.EXE", "x"}}, true},
        {{{"XWINGALLIANCE.EXE.BAK", "x"}}, false},
        {{{"DATA\\XWINGALLIANCE.EXE", "x"}}, false},
    };
    for (const auto& [entries, refused] : cases) {
        WriteGob(folder / "p.gob", entries);
        EXPECT_EQ(CheckForModifiedExe(folder / "p.gob"), refused) << entries.back().name;
    }
}

TEST(PackageChecksTest, EachRefusalHasItsMessage) {
    TempFolder folder;
    RecordingPrompts prompts;
    WriteFileBytes(folder / "bad.gob", "gob");
    prompts.expectMessage(kNotValid, "Invalid .Gob", Icon::Exclamation);
    EXPECT_FALSE(PassesLaunchChecks(prompts, folder / "bad.gob"));

    WriteGob(folder / "exe.gob", {{"XWINGALLIANCE.EXE", "MZ"}});
    prompts.expectMessage(kModifiedExe, "Sorry...", Icon::Critical);
    EXPECT_FALSE(PassesLaunchChecks(prompts, folder / "exe.gob"));

    WriteGob(folder / "escape.gob", {{"A.LFD", "a"}, {"..\\..\\evil.dll", "x"}});
    prompts.expectMessage(
        "The ShipSet you are trying to launch is damaged: member 2 (..\\..\\evil.dll) points "
        "outside its own folder.  Contact the author or redownload the file again.",
        "Invalid .Gob", Icon::Exclamation);
    EXPECT_FALSE(PassesLaunchChecks(prompts, folder / "escape.gob"));

    WriteGob(folder / "good.gob", {{"A.LFD", "a"}, {"wave\\B.WAV", "b"}});
    EXPECT_TRUE(PassesLaunchChecks(prompts, folder / "good.gob"));
}

TEST(PackageValidatorTest, DamagedPackagesAreDescribed) {
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
        {MakeGob({{"a\\..\\..\\x", "a"}}), "member 1 (a\\..\\..\\x) points outside its own folder"},
        {MakeGob({{"a\\\\x", "a"}}), "member 1 (a\\\\x) has an empty folder name"},
        {MakeGob({{"wave/x.wav", "a"}}),
         "member 1 (wave/x.wav) has a character that Windows does not allow in file names"},
        {MakeGob({{"what?.lfd", "a"}}),
         "member 1 (what?.lfd) has a character that Windows does not allow in file names"},
        {"GOB", "Could not read " + (folder / "p.gob").string() + ": it ends too early"},
        {MakeGob({{"A.LFD", "a", std::string("A.LFD\0junk", 10)}}), std::nullopt},
        {MakeGob({}, -5), std::nullopt},
    };
    for (const Case& c : cases) {
        WriteFileBytes(folder / "p.gob", c.bytes);
        EXPECT_EQ(PackageFault(folder / "p.gob"), c.fault);
    }
}

}  // namespace
}  // namespace tolvane::testing
