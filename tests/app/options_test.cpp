#include <gtest/gtest.h>

#include "app/options.h"
#include "support/memory_settings_store.h"
#include "support/recording_prompts.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

const std::string kSeparator(1, static_cast<char>(std::filesystem::path::preferred_separator));

class OptionsTest : public ::testing::Test {
  protected:
    MemorySettingsStore store;
    RecordingPrompts prompts;
    Session session{store, prompts, "", ""};
    bool accept(OptionsFields fields) { return AcceptOptions(session, fields); }
    // The player keeps paths that do not exist (yet), as the questions let them.
    void keepMissingPaths() {
        prompts.expectQuestion("The game's executable " +
                                   fs::path("/xwa/XWINGALLIANCE.EXE").make_preferred().string() +
                                   " is not a file.  Keep it anyway?",
                               "Options", Icon::Exclamation, Answer::No, Answer::Yes);
        prompts.expectQuestion("The ShipSet directory " +
                                   fs::path("/ships/").make_preferred().string() +
                                   " is not a folder.  Keep it anyway?",
                               "Options", Icon::Exclamation, Answer::No, Answer::Yes);
    }
};

// What is not the game's executable (a folder, another file, a file that is no Windows program)
// or not a folder: the player hears why, by path, and the options stay open unless kept.
TEST_F(OptionsTest, WhatIsNotTheGameOrAFolderIsToldBeforeItIsKept) {
    TempFolder folder;
    fs::path game = folder / "XWINGALLIANCE.EXE", lower = folder / "lower" / "xwingalliance.exe";
    fs::path gob = folder / "Blue.gob", text = folder / "text" / "XWINGALLIANCE.EXE";
    for (const fs::path& program : {game, lower, gob})
        WriteFileBytes(program, "MZ\x90\0");
    WriteFileBytes(text, "not a program");
    std::string ships = folder.path().string(),
                missing = (folder / "missing").string() + kSeparator;
    struct Case {
        fs::path executable;
        std::string shipSets;
        std::string told;  // what the question says, after the path; nothing when accepted
    };
    const Case cases[] = {
        {folder.path(), ships, " is not a file."},
        {gob, ships, " is not named XWINGALLIANCE.EXE."},
        {text, ships, " is not a Windows program."},
        {game, missing, ""},
        {lower, ships, ""},
        {game, ships, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.executable.string() + " " + c.shipSets);
        bool folderMissing = c.shipSets == missing;
        if (!c.told.empty()) {
            prompts.expectQuestion(
                "The game's executable " + c.executable.string() + c.told + "  Keep it anyway?",
                "Options", Icon::Exclamation, Answer::No, Answer::No);
        } else if (folderMissing) {
            prompts.expectQuestion(
                "The ShipSet directory " + missing + " is not a folder.  Keep it anyway?",
                "Options", Icon::Exclamation, Answer::No, Answer::No);
        }
        bool accepted = c.told.empty() && !folderMissing;
        EXPECT_EQ(accept({c.executable.string(), c.shipSets, false}), accepted);
        EXPECT_EQ(store.get("Settings", "XWA Exe"), accepted ? c.executable.string() : "");
        store.values.clear();
    }
}

TEST_F(OptionsTest, AcceptingLaterKeepsAnOpenCycle) {
    store.save("Settings", "Last ShipSet", "/ships/Blue.gob");
    keepMissingPaths();
    EXPECT_TRUE(accept({"/xwa/XWINGALLIANCE.EXE", "/ships/", false}));
    EXPECT_EQ(store.get("Settings", "Last ShipSet"), "/ships/Blue.gob");
    EXPECT_EQ(store.get("Settings", "Show Opening Cutscene"), "0");
}

}  // namespace
}  // namespace tolvane::testing
