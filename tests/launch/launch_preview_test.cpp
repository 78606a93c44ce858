#include "launch/launch_preview.h"

#include <gtest/gtest.h>

#include "launch/restore.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

using PreviewedLaunchTest = LaunchFixture;

using Marked = std::vector<std::pair<std::string, std::string>>;

Marked MarksOf(const LaunchPreview& preview) {
    Marked marks;
    for (const ChangedPath& path : preview.paths)
        marks.emplace_back(path.path, MarkName(path.mark));
    return marks;
}

TEST(LaunchPreviewTest, SaysWhatALaunchWouldChange) {
    struct Case {
        const char* name;
        std::vector<GobEntry> members;
        std::string summary;
        Marked marks;
    };
    const Case cases[] = {
        {"a game file in another letter case",
         {{"data.lfd", "x"}, {"WAVE\\game.wav", "y"}},
         "Replaces 2 game files, makes 1 new folder",
         {{"DATA.LFD", "replaced"}, {"wave\\GAME.WAV", "replaced"}, {"zt\\", "new folder"}}},
        {"files in new folders",
         {{"new\\deep\\X.LFD", "x"}, {"new\\Y.LFD", "y"}, {"Z.LFD", "z"}, {"z.lfd", "again"}},
         "Adds 3 files, makes 3 new folders",
         {{"new\\", "new folder"},
          {"new\\deep\\", "new folder"},
          {"new\\deep\\X.LFD", "added"},
          {"new\\Y.LFD", "added"},
          {"Z.LFD", "added"},
          {"zt\\", "new folder"}}},
        {"patches and pilots",
         {{"zt\\FIX.ZT", MakeZt({{0, "x"}})}, {"Ace.plt", "p"}, {"Zed.PLT", "z"}, {"B.LFD", "b"}},
         "Adds 1 file, makes 1 new folder, patches the executable with 1 patch file, carries 2 "
         "pilot files",
         {{"Ace.plt", "pilot"},
          {"B.LFD", "added"},
          {"Zed.PLT", "pilot"},
          {"zt\\", "new folder"},
          {"zt\\FIX.ZT", "patch"}}},
        {"nothing but a nameless member",
         {{"  ", "x"}},
         "Makes 1 new folder",
         {{"zt\\", "new folder"}}},
        {"a refused package",
         {{"XWINGALLIANCE.EXE", "evil"}},
         "This ShipSet contains a modified XWINGALLIANCE.exe!  This is against LucasArts wishes, "
         "so this ShipSet will not be playable by means of Tolvane.\r\rContact the author and "
         "inform him/her of this error.",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StandInGame game;
        WriteGob(game.shipSets() / "P.gob", c.members);
        LaunchPreview preview = PreviewLaunch(game.session, game.shipSets() / "P.gob");
        EXPECT_EQ(preview.summary, c.summary);
        EXPECT_EQ(MarksOf(preview), c.marks);
    }
}

// Nothing is asked, written or removed, not even the settled journal of an earlier cycle that
// the next launch removes (left by a restore whose setting could not be saved).
TEST_F(PreviewedLaunchTest, APreviewChangesNoFile) {
    LaunchedShipSet earlier = launch(package("Old.gob", {{"B.LFD", "b"}}));
    game.store.failingKey = "Last ShipSet";
    game.prompts.allowMessage("Restore");
    RestoreAfterPlay(game.session, progress, earlier);
    game.store.failingKey.clear();
    game.store.save("Settings", "Last ShipSet", "None");
    ASSERT_TRUE(journal().closed);
    game.prompts.shown.clear();
    package("P.gob", {{"Ace.plt", "pilot"}, {"DATA.LFD", "d"}, {"new\\N.LFD", "n"}});
    auto before = Snapshot(game.game().parent_path());
    PreviewLaunch(game.session, game.shipSets() / "P.gob");
    EXPECT_EQ(Snapshot(game.game().parent_path()), before);
    EXPECT_TRUE(game.prompts.shown.empty());
    game.prompts.allowMessage("Pilot Exists!");
    ASSERT_TRUE(
        std::holds_alternative<LaunchPlan>(PlanLaunch(game.session, game.shipSets() / "P.gob")));
    EXPECT_FALSE(fs::exists(game.journalPath())) << "the launch removes what the preview kept";
}

}  // namespace
}  // namespace tolvane::testing
