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
        writeFile(folder / "p.gob", bytes);
        EXPECT_EQ(hasGobSignature(folder / "p.gob"), valid) << "\"" << bytes << "\"";
    }
    EXPECT_FALSE(hasGobSignature(folder / "missing.gob"));
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
        writeGob(folder / "p.gob", entries);
        EXPECT_EQ(CheckForModifiedExe(folder / "p.gob"), refused) << entries.back().name;
    }
}

TEST(PackageChecksTest, EachRefusalHasItsMessage) {
    TempFolder folder;
    RecordingPrompts prompts;
    writeFile(folder / "bad.gob", "gob");
    prompts.expectMessage(kNotValid, "Invalid .Gob", Icon::Exclamation);
    EXPECT_FALSE(passesLaunchChecks(prompts, folder / "bad.gob"));

    writeGob(folder / "exe.gob", {{"XWINGALLIANCE.EXE", "MZ"}});
    prompts.expectMessage(kModifiedExe, "Sorry...", Icon::Critical);
    EXPECT_FALSE(passesLaunchChecks(prompts, folder / "exe.gob"));

    writeGob(folder / "escape.gob", {{"A.LFD", "a"}, {"..\\..\\evil.dll", "x"}});
    prompts.expectMessage(
        "The ShipSet you are trying to launch is damaged: member 2 (..\\..\\evil.dll) points "
        "outside its own folder.  Contact the author or redownload the file again.",
        "Invalid .Gob", Icon::Exclamation);
    EXPECT_FALSE(passesLaunchChecks(prompts, folder / "escape.gob"));

    writeGob(folder / "good.gob", {{"A.LFD", "a"}, {"wave\\B.WAV", "b"}});
    EXPECT_TRUE(passesLaunchChecks(prompts, folder / "good.gob"));
}

TEST(PackageValidatorTest, DamagedPackagesAreDescribed) {
    TempFolder folder;
    struct Case {
        std::string bytes;
        std::optional<std::string> fault;
    };
    std::string truncated = makeGob({{"A.LFD", "aaaa"}, {"B.LFD", "bbbb"}});
    const Case cases[] = {
        {makeGob({{"A.LFD", "a"}}, 1000), "its directory of 1000 members does not fit in the file"},
        {makeGob({{"A.LFD", "a", std::nullopt, 0xFFFFFFF0u}}),
         "member 1 (A.LFD) lies outside the file"},
        {makeGob({{"A.LFD", "abc", std::nullopt, std::nullopt, 4000}}),
         "member 1 (A.LFD) lies outside the file"},
        {truncated.substr(0, truncated.size() - 2), "member 2 (B.LFD) lies outside the file"},
        {makeGob({{"", "a"}}), "member 1 has no name"},
        {makeGob({{"   ", "a"}}), "member 1 has no name"},
        {makeGob({{"\\WINDOWS\\x.dll", "a"}}),
         "member 1 (\\WINDOWS\\x.dll) is not a path inside the game folder"},
        {makeGob({{"C:x.dll", "a"}}), "member 1 (C:x.dll) names a drive"},
        {makeGob({{"a\\..\\..\\x", "a"}}), "member 1 (a\\..\\..\\x) points outside its own folder"},
        {makeGob({{"a\\\\x", "a"}}), "member 1 (a\\\\x) has an empty folder name"},
        {makeGob({{"wave/x.wav", "a"}}),
         "member 1 (wave/x.wav) has a character that Windows does not allow in file names"},
        {makeGob({{"what?.lfd", "a"}}),
         "member 1 (what?.lfd) has a character that Windows does not allow in file names"},
        {"GOB", "Could not read " + (folder / "p.gob").string() + ": it ends too early"},
        {makeGob({{"A.LFD", "a", std::string("A.LFD\0junk", 10)}}), std::nullopt},
        {makeGob({}, -5), std::nullopt},
    };
    for (const Case& c : cases) {
        writeFile(folder / "p.gob", c.bytes);
        EXPECT_EQ(packageFault(folder / "p.gob"), c.fault);
    }
}

}  // namespace
}  // namespace tolvane::testing
