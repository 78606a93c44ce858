// Reads the catalogue of 1,000 packages of 50 members each through the real main window
// (offscreen) and prints the median of five refreshes, then the time each key press in the
// filter field takes to narrow the list.
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>
#include <cstdio>

#include "bench_support.h"
#include "gui/main_window.h"
#include "gui/window_set.h"
#include "sample_world/sample_folders.h"
#include "sample_world/sample_packages.h"
#include "session/session.h"

using namespace tolvane;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::filesystem::path root = std::filesystem::temp_directory_path() / "tolvane-catalogue-bench";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "Ships");
    for (int p = 0; p < 1000; ++p) {
        std::vector<sample::GeneratedMember> members;
        for (int m = 0; m < 49; ++m)
            members.push_back({"DATA\\M" + std::to_string(m) + ".LFD", 512, 'x'});
        members.push_back({"PATCHINFO.TXT", 120, 'N'});
        sample::WriteGeneratedGob(root / "Ships" / ("Set" + std::to_string(p) + ".gob"), members);
    }
    testing::MemorySettingsStore store;
    testing::RecordingPrompts prompts;
    store.save("Version", "Ordell Version", "2.5");
    store.save("Settings", "ShipSet Dir", (root / "Ships").string() + "/");
    Session session(store, prompts, root, root);
    session.loadSettings();
    WindowSet windows(session);
    MainWindow& window = windows.mainWindow();
    window.show();

    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        runs.push_back(
            bench::SecondsOf([&] { window.findChild<QPushButton*>("refreshButton")->click(); }));
    }
    // The player types a name and erases it again, one key at a time.
    auto* filter = window.findChild<QLineEdit*>("shipSetFilter");
    std::vector<double> keys;
    for (QChar key : QString("set99"))
        keys.push_back(bench::SecondsOf([&] { filter->insert(QString(key)); }));
    while (!filter->text().isEmpty())
        keys.push_back(bench::SecondsOf([&] { filter->backspace(); }));
    std::printf(
        "filter of 1,000 ship sets: a key press takes %.1f ms at the median, %.1f ms at "
        "most\n",
        bench::Median(keys) * 1000, *std::max_element(keys.begin(), keys.end()) * 1000);
    int listed = window.findChild<QListWidget*>("shipSetList")->count();
    std::printf("catalogue of %d packages x 50 members: median %.3f s (runs:", listed,
                bench::Median(runs));
    for (double seconds : runs)
        std::printf(" %.3f", seconds);
    std::printf(")\n");
    std::filesystem::remove_all(root);
    return listed == 1000 ? 0 : 1;
}
