// Makes the demo's world in the folder given: a stand-in game, three sample ship sets, and the
// settings file that points Tolvane at them, apart from the player's own.
#include <QCoreApplication>
#include <cstdio>

#include "demo_world.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_text.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvane-demo-world FOLDER\n");
        return 2;
    }
    tolvane::fs::path folder = tolvane::ToPath(QString::fromLocal8Bit(argv[1]));
    tolvane::demo::DemoWorld world = tolvane::demo::MakeDemoWorld(folder);
    tolvane::QtSettingsStore store(QString::fromStdString(world.settings.string()));
    tolvane::demo::SaveDemoSettings(store, world);
    std::printf("%s\n", world.settings.string().c_str());
    return 0;
}
