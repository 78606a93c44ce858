// Installs and restores a generated 1 GiB ship set (300 members, half of them replacing game
// files, one of 512 MiB) and compares both with cp of the package file on the same file system.
// Each install and restore runs in a child process, so its peak resident memory is its own.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <variant>

#include "bench_support.h"
#include "launch/install.h"
#include "launch/launch_journal.h"
#include "launch/restore.h"
#include "sample_world/sample_folders.h"
#include "sample_world/sample_packages.h"
#include "session/session.h"
#include "support/fake_progress.h"

using namespace tolvane;

namespace {

constexpr std::uint64_t kMiB = 1 << 20;

void WriteBytes(const fs::path& path, std::uint64_t size, char fill) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    std::string chunk(std::min<std::uint64_t>(size, kMiB), fill);
    for (std::uint64_t left = size; left > 0; left -= std::min<std::uint64_t>(left, kMiB))
        out.write(chunk.data(), static_cast<std::streamsize>(std::min<std::uint64_t>(left, kMiB)));
}

struct ChildRun {
    double seconds;
    long peakKiB;
};

// Runs `work` in a child process; its exit code 0 means it did what it should.
ChildRun InChild(const std::function<bool()>& work) {
    ChildRun run{};
    pid_t child = 0;
    run.seconds = bench::SecondsOf([&] {
        child = fork();
        if (child == 0)
            _exit(work() ? 0 : 1);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "the measured step failed\n");
            std::exit(1);
        }
        run.peakKiB = usage.ru_maxrss;
    });
    return run;
}

}  // namespace

int main() {
    fs::path root = fs::temp_directory_path() / "tolvane-install-bench";
    fs::remove_all(root);
    fs::path game = root / "XWA", ships = root / "Ships", package = ships / "Big.gob";
    fs::create_directories(ships);

    std::vector<sample::GeneratedMember> members{{"BIG.DAT", 512 * kMiB, 'B'}};
    const std::uint64_t small = 512 * kMiB / 299;
    for (int i = 0; i < 299; ++i) {
        bool replaces = i < 150;
        members.push_back(
            {replaces ? "R" + std::to_string(i) + ".LFD" : "wave\\A" + std::to_string(i) + ".WAV",
             small, static_cast<char>('a' + i % 26)});
    }
    sample::WriteGeneratedGob(package, members);

    bench::BenchSession bench(game, ships, root);
    Session& session = bench.session;

    const bool settled = std::getenv("TOLVANE_BENCH_SETTLED") != nullptr;
    std::vector<double> cpTimes, installTimes, restoreTimes;
    long peakKiB = 0;
    for (int run = 0; run < 5; ++run) {
        fs::remove_all(game);
        WriteBytes(game / "XWINGALLIANCE.EXE", 3 * kMiB, 'X');
        std::ofstream(game / "config.cfg", std::ios::binary) << "lastpilot Ace\r\n";
        for (int i = 0; i < 150; ++i)
            WriteBytes(game / ("R" + std::to_string(i) + ".LFD"), 256 * 1024, 'g');
        fs::create_directories(game / "wave");

        // Each step starts with nothing waiting to be written, so none pays for another's writes.
        sync();
        cpTimes.push_back(bench::SecondsOf([&] {
            std::string command =
                "cp '" + package.string() + "' '" + (root / "copy.gob").string() + "'";
            if (std::system(command.c_str()) != 0)
                std::exit(1);
        }));
        fs::remove(root / "copy.gob");

        sync();
        ChildRun install = InChild([&] {
            testing::FakeProgress progress;
            auto plan = PlanLaunch(session, package);
            if (!std::holds_alternative<LaunchPlan>(plan))
                return false;
            LaunchResult result =
                LaunchShipSet(session.store, session.prompts, progress, std::get<LaunchPlan>(plan));
            return result.outcome == LaunchOutcome::WaitingForPilot;
        });
        installTimes.push_back(install.seconds);
        peakKiB = std::max(peakKiB, install.peakKiB);

        // The restore follows the install as it left the disk; TOLVANE_BENCH_SETTLED=1 first
        // writes everything out, as hours of play would, which makes deleting the added files
        // cost the file system more.
        if (settled)
            sync();
        ChildRun restore = InChild([&] {
            testing::FakeProgress progress;
            LaunchedShipSet record{package, JournalPathFor(ships)};
            return RestoreAfterPlay(session, progress, record) == RestoreOutcome::Restored;
        });
        restoreTimes.push_back(restore.seconds);
        if (fs::exists(game / "BIG.DAT") || fs::file_size(game / "R0.LFD") != 256 * 1024) {
            std::fprintf(stderr, "the game folder did not come back\n");
            return 1;
        }
    }
    double cp = bench::Median(cpTimes), install = bench::Median(installTimes),
           restore = bench::Median(restoreTimes);
    std::printf(
        "1 GiB ship set, 300 members, median of 5%s: cp %.3f s, install %.3f s, "
        "restore %.3f s\n",
        settled ? ", restore after the install was written out" : "", cp, install, restore);
    std::printf(
        "install / cp = %.2f (target <= 1.30), restore / cp = %.2f (target <= 0.30), "
        "install peak resident memory %.1f MiB (target <= 64)\n",
        install / cp, restore / cp, peakKiB / 1024.0);
    fs::remove_all(root);
    bool met = install / cp <= 1.3 && restore / cp <= 0.3 && peakKiB <= 64 * 1024;
    return met ? 0 : 2;
}
