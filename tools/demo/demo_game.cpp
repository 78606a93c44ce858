// The demo's stand-in for the game: Tolvane starts it as it would start the game, in the game
// folder. It shows which pilot config.cfg names and how many of the ship set's files are in
// place, and ends when closed.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_settings_store.h"
#include "gui/qt_text.h"
#include "launch/launch_journal.h"
#include "packages/gob_package.h"
#include "pilots/config_cfg.h"
#include "platform/error.h"
#include "platform/file_handles.h"
#include "session/settings.h"
#include "text/code_page.h"

using namespace tolvane;

namespace {

std::string PilotLine() {
    try {
        fs::path config = ConfigPath(fs::current_path());
        return "Pilot: " + Utf8FromWindows1252(PilotInConfig(InputFile(config).readAll()));
    } catch (const Error& error) {
        return error.what();
    }
}

// The members the install wrote that hold the member's bytes in the game folder now.
std::string FilesInPlace(const Settings& settings) {
    try {
        LaunchJournal journal = ReadJournal(JournalPathFor(ShipSetFolderOf(settings)),
                                            {GameFolderOf(settings), BackupFolderOf(settings)});
        GobPackage package(journal.package);
        int written = 0, inPlace = 0;
        for (const JournalMember& step : journal.members) {
            if (step.change != MemberChange::Replaced && step.change != MemberChange::Added)
                continue;
            const GobMember& member = package.members()[step.number - 1];
            fs::path file = journal.gameFolder / step.relativePath;
            ++written;
            std::error_code ec;
            if (fs::file_size(file, ec) == member.size &&
                InputFile(file).readAll() == package.readMember(member, member.size))
                ++inPlace;
        }
        return std::to_string(inPlace) + " of the ship set's " + std::to_string(written) +
               " files are in place.";
    } catch (const Error& error) {
        return error.what();
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QtSettingsStore store(qEnvironmentVariable("TOLVANE_SETTINGS"));
    Settings settings;
    settings.shipSetDir = store.get(kSettingsSection, kShipSetDirKey);
    settings.gameExePath = store.get(kSettingsSection, kGameExeKey);

    QWidget window;
    window.setObjectName("standInGame");
    window.setWindowTitle("X-Wing Alliance (the Tolvane demo's stand-in)");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel("The game would be running now."));
    layout->addWidget(new QLabel(ToQString(PilotLine())));
    layout->addWidget(new QLabel(ToQString(FilesInPlace(settings))));
    auto* close = new QPushButton("&Close the game");
    layout->addWidget(close);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
