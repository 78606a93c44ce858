// Installs and restores a wide ship set: 20,000 members into a game folder of 20,000 files, half
// of them replacing game files under another letter case, half new. Each step is compared with
// a floor measured in the same run on the same file system: a plain loop that writes the same
// files (for the install), and one that removes the added files and renames the replaced ones
// back (for the restore); floor and step alternate after the same preparation. It also counts the
// flushes of one install, and times what the information window shows of such a ship set.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <fstream>
#include <variant>

#include "bench_support.h"
#include "gui/info_window.h"
#include "launch/install.h"
#include "launch/launch_preview.h"
#include "launch/restore.h"
#include "platform/file_handles.h"
#include "sample_world/sample_folders.h"
#include "sample_world/sample_packages.h"
#include "session/session.h"
#include "support/fake_progress.h"

using namespace tolvane;

namespace {

constexpr int kWidth = 20000;
constexpr std::size_t kMemberSize = 1024;

std::string GameName(int i) {
    char name[32];
    std::snprintf(name, sizeof name, "file%05d.lfd", i);
    return name;
}

// The member for game file i: the same name in capitals; the odd ones are new files.
std::string MemberName(int i) {
    std::string name = GameName(i);
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return i % 2 == 0 ? name : "NEW" + name;
}

void MakeGameFolder(const fs::path& game) {
    fs::remove_all(game);
    fs::create_directories(game / "DATA");
    std::ofstream(game / "XWINGALLIANCE.EXE", std::ios::binary) << std::string(4096, 'X');
    const std::string bytes(kMemberSize, 'g');
    for (int i = 0; i < kWidth; ++i)
        std::ofstream(game / "DATA" / GameName(i), std::ios::binary) << bytes;
}

void WriteLoop(const fs::path& folder) {
    const std::string bytes(kMemberSize, 'm');
    for (int i = 0; i < kWidth; ++i) {
        OutputFile out = OutputFile::createNew(folder / MemberName(i));
        out.write(bytes);
        out.close();
    }
}

void RemoveAndRenameLoop(const fs::path& folder, const fs::path& backup) {
    for (int i = 0; i < kWidth; ++i) {
        if (i % 2 == 0)
            fs::rename(backup / MemberName(i), folder / MemberName(i));
        else
            fs::remove(folder / MemberName(i));
    }
}

// The same start for every measurement: a fresh game folder, the floor's backup folder gone, and
// everything on disk, so that neither a floor nor a step runs right after the other's deletions.
void Prepare(const fs::path& game, const fs::path& floorBackup) {
    fs::remove_all(floorBackup);
    MakeGameFolder(game);
    sync();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    fs::path root = fs::temp_directory_path() / "tolvane-wide-bench";
    fs::remove_all(root);
    fs::path game = root / "XWA", ships = root / "Ships", package = ships / "Wide.gob";
    fs::path floorBackup = root / "floor-backup";
    fs::create_directories(ships);
    std::vector<sample::GeneratedMember> members;
    for (int i = 0; i < kWidth; ++i)
        members.push_back({"DATA\\" + MemberName(i), kMemberSize, 'm'});
    sample::WriteGeneratedGob(package, members);

    bench::BenchSession bench(game, ships, root);
    Session& session = bench.session;

    // What the information window shows: the plan of 20,000 members and the list filled once.
    Prepare(game, floorBackup);
    session.loadSettings();
    std::vector<double> previewTimes;
    for (int run = 0; run < 3; ++run) {
        InfoWindow window;
        previewTimes.push_back(bench::SecondsOf([&] {
            window.fill(ShipSetInfo{}, PreviewLaunch(session, package));
            window.show();
            QApplication::processEvents();
        }));
    }

    // Floor and step alternate, each after the same preparation.
    std::vector<double> writeFloor, restoreFloor, installTimes, restoreTimes;
    std::uint64_t flushes = 0;
    for (int run = 0; run < 5; ++run) {
        Prepare(game, floorBackup);
        fs::create_directories(floorBackup);
        writeFloor.push_back(bench::SecondsOf([&] {
            for (int i = 0; i < kWidth; i += 2)
                fs::rename(game / "DATA" / GameName(i), floorBackup / MemberName(i));
            WriteLoop(game / "DATA");
        }));
        sync();
        restoreFloor.push_back(
            bench::SecondsOf([&] { RemoveAndRenameLoop(game / "DATA", floorBackup); }));

        Prepare(game, floorBackup);
        testing::FakeProgress progress;
        LaunchResult result{};
        std::uint64_t flushesBefore = FlushesSoFar();
        installTimes.push_back(bench::SecondsOf([&] {
            auto plan = PlanLaunch(session, package);
            if (!std::holds_alternative<LaunchPlan>(plan))
                std::exit(1);
            result =
                LaunchShipSet(session.store, session.prompts, progress, std::get<LaunchPlan>(plan));
        }));
        flushes = FlushesSoFar() - flushesBefore;
        if (result.outcome != LaunchOutcome::WaitingForPilot)
            return 1;
        sync();
        restoreTimes.push_back(bench::SecondsOf([&] {
            if (RestoreAfterPlay(session, progress, result.record) != RestoreOutcome::Restored)
                std::exit(1);
        }));
        if (fs::exists(game / "DATA" / MemberName(1)) || !fs::exists(game / "DATA" / GameName(0))) {
            std::fprintf(stderr, "the game folder did not come back\n");
            return 1;
        }
    }
    double write = bench::Median(writeFloor), removeRename = bench::Median(restoreFloor);
    double install = bench::Median(installTimes), restore = bench::Median(restoreTimes);
    double preview = bench::Median(previewTimes);
    std::printf("20,000 members into 20,000 files, floor and step alternating, median of 5:\n");
    std::printf("  install %.3f s, its floor %.3f s: ratio %.2f (target <= 2)\n", install, write,
                install / write);
    std::printf("  restore %.3f s, its floor %.3f s: ratio %.2f (target <= 2)\n", restore,
                removeRename, restore / removeRename);
    std::printf("  flushes per install %llu (target <= 8)\n",
                static_cast<unsigned long long>(flushes));
    std::printf(
        "  the information window's changes, plan and list, median of 3: %.3f s (target <= "
        "0.5 s)\n",
        preview);
    fs::remove_all(root);
    bool met =
        install / write <= 2 && restore / removeRename <= 2 && flushes <= 8 && preview <= 0.5;
    return met ? 0 : 2;
}
