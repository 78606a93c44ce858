// Installs and restores a wide ship set: 20,000 members into a game folder of 20,000 files, half
// of them replacing game files under another letter case, half new. Each step is compared with
// a floor measured in the same run on the same file system: a plain loop that writes the same
// files (for the install), and one that removes the added files and renames the replaced ones
// back (for the restore). It also counts the flushes of one install.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <variant>

#include "bench_support.h"
#include "launch/install.h"
#include "launch/restore.h"
#include "platform/file_io.h"
#include "session/session.h"

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

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / "tolvane-wide-bench";
    fs::remove_all(root);
    fs::path game = root / "XWA", ships = root / "Ships", package = ships / "Wide.gob";
    fs::create_directories(ships);
    std::vector<bench::GeneratedMember> members;
    for (int i = 0; i < kWidth; ++i)
        members.push_back({"DATA\\" + MemberName(i), kMemberSize, 'm'});
    bench::WriteGeneratedGob(package, members);

    bench::BenchSession bench(game, ships, root);
    Session& session = bench.session;

    std::vector<double> writeFloor, restoreFloor, installTimes, restoreTimes;
    std::uint64_t flushes = 0;
    for (int run = 0; run < 3; ++run) {
        MakeGameFolder(game);
        sync();
        bench::CountingProgress progress;
        LaunchResult result{};
        std::uint64_t flushesBefore = FlushesSoFar();
        installTimes.push_back(bench::SecondsOf([&] {
            auto plan = PlanLaunch(session, package);
            if (!std::holds_alternative<LaunchPlan>(plan))
                std::exit(1);
            result = LaunchShipSet(session, progress, std::get<LaunchPlan>(plan));
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
        // The floors work in a folder of 20,000 files too, as the install and the restore do.
        MakeGameFolder(game);
        fs::create_directories(root / "floor-backup");
        sync();
        writeFloor.push_back(bench::SecondsOf([&] {
            for (int i = 0; i < kWidth; i += 2)
                fs::rename(game / "DATA" / GameName(i), root / "floor-backup" / MemberName(i));
            WriteLoop(game / "DATA");
        }));
        sync();
        restoreFloor.push_back(
            bench::SecondsOf([&] { RemoveAndRenameLoop(game / "DATA", root / "floor-backup"); }));
        fs::remove_all(root / "floor-backup");
    }
    double write = bench::Median(writeFloor), removeRename = bench::Median(restoreFloor);
    double install = bench::Median(installTimes), restore = bench::Median(restoreTimes);
    std::printf(
        "20,000 members into 20,000 files, median of 3: install %.3f s (floor %.3f s), restore "
        "%.3f s (floor %.3f s)\n",
        install, write, restore, removeRename);
    std::printf(
        "install / floor = %.2f (target <= 2), restore / floor = %.2f (target <= 2), flushes per "
        "install %llu (target <= 8)\n",
        install / write, restore / removeRename, static_cast<unsigned long long>(flushes));
    fs::remove_all(root);
    bool met = install / write <= 2 && restore / removeRename <= 2 && flushes <= 8;
    return met ? 0 : 2;
}
