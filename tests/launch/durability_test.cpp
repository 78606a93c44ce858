// What the power-cut replay cannot see: which folders the restore flushes before it closes the
// cycle, and a Backup on another file system than the game.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "launch/open_cycle.h"
#include "launch/restore.h"
#include "platform/fault_seam.h"
#include "platform/working_files.h"
#include "support/launch_fixture.h"

namespace tolvane::testing {
namespace {

using DurabilityTest = LaunchFixture;

bool Inside(const fs::path& path, const fs::path& folder) {
    auto [end, ignored] = std::mismatch(folder.begin(), folder.end(), path.begin(), path.end());
    return !path.empty() && end == folder.end();
}

bool Changes(const RecordedStep& step) {
    switch (step.step) {
        case FileStep::Create:
        case FileStep::Write:
        case FileStep::Rename:
        case FileStep::Delete:
        case FileStep::MakeFolder:
        case FileStep::RemoveFolder:
            return true;
        default:
            return false;
    }
}

// The folders whose entries a step changes.
std::vector<fs::path> FoldersChangedBy(const RecordedStep& step) {
    if (step.step == FileStep::Write || !Changes(step))
        return {};
    std::vector<fs::path> folders = {step.path.parent_path()};
    if (!step.to.empty())
        folders.push_back(step.to.parent_path());
    return folders;
}

std::vector<GobEntry> Members() {
    return {{"DATA.LFD", "package data"},
            {"NEW.LFD", "new"},
            {"wave\\GAME.WAV", "loud"},
            {"two\\levels\\E.LFD", "deep"}};
}

// Every folder whose entries the restore changed (working files of a run that died included) is
// flushed after its last change and before the journal is closed, once each.
TEST_F(DurabilityTest, TheRestoreFlushesWhatItChangedBeforeItClosesTheCycle) {
    LaunchedShipSet record = launch(package("Blue.gob", Members()));
    WriteFileBytes(game.program() / (TemporaryPrefix() + "7.tmp"), "half");
    FaultSeam::Record();
    RestoreAfterPlay(game.session, progress, record);
    std::vector<RecordedStep> steps = FaultSeam::Recorded();
    FaultSeam::Disarm();

    auto closing = std::find_if(steps.rbegin(), steps.rend(), [&](const RecordedStep& step) {
        return step.step == FileStep::Write && step.path == game.journalPath();
    });
    ASSERT_NE(closing, steps.rend()) << "the journal was never closed";
    auto end = closing.base() - 1;
    std::map<fs::path, bool> flushedSinceChange;
    int flushes = 0;
    for (auto step = steps.begin(); step != end; ++step) {
        for (const fs::path& folder : FoldersChangedBy(*step)) {
            if (Inside(folder, game.game().parent_path()))
                flushedSinceChange[folder] = false;
        }
        if (step->step == FileStep::Flush && step->path != game.journalPath()) {
            flushedSinceChange[step->path] = true;
            ++flushes;
        }
    }
    for (const auto& [folder, flushed] : flushedSinceChange) {
        if (fs::exists(folder)) {
            EXPECT_TRUE(flushed) << folder;
        }
    }
    EXPECT_LE(flushes, static_cast<int>(flushedSinceChange.size()));
    EXPECT_FALSE(LaunchCycleOpen(game.session.settings, game.store));
}

}  // namespace
}  // namespace tolvane::testing
