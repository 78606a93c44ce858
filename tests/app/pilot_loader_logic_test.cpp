#include "app/pilot_loader_logic.h"

#include <gtest/gtest.h>

#include "app/main_window_logic.h"
#include "game_start/run_batch.h"
#include "support/environment.h"
#include "support/fake_main_window.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

TEST(PilotLoaderLogicTest, UnreadablePilotFilesAreNamedAndLeftOut) {
#ifdef _WIN32
    GTEST_SKIP() << "needs a dangling symbolic link, which Windows lets only administrators make";
#endif
    StandInGame game;
    std::filesystem::create_directories(game.game() / "Broken.plt");  // a folder, not a file
    std::filesystem::create_symlink(game.game() / "missing", game.game() / "Dangling.plt");
    game.prompts.allowMessage("Pilot Loader");
    EXPECT_EQ(LoadPilotList(game.game(), game.prompts), (std::vector<std::string>{"Ace", "Nova"}));
    ASSERT_EQ(game.prompts.shown.size(), 1u);
    EXPECT_NE(game.prompts.shown[0].text.find("Dangling.plt"), std::string::npos);
}

}  // namespace
}  // namespace tolvane::testing
