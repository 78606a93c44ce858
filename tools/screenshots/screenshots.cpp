// Renders the real windows, filled from the demo's world, into PNG files for the README:
// main-window.png, filter.png, options.png, information.png and pilot-loader.png in the folder
// given.
// Run it on the offscreen platform; the font is fixed, so the pictures come out the same.
#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

#include "app/startup.h"
#include "demo_world.h"
#include "gui/qt_settings_store.h"
#include "gui/qt_text.h"
#include "gui/window_set.h"
#include "session/prompts.h"

using namespace tolvane;

namespace {

QWidget* TopLevel(const char* name) {
    QApplication::processEvents();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    }
    std::fprintf(stderr, "the window %s did not open\n", name);
    std::exit(1);
}

// No box may stand in a picture: one stops the tool, saying what it would have shown.
class StoppingPrompts : public Prompts {
  public:
    void message(const std::string& text, const std::string& title, Icon) override {
        Stop(title, text);
    }
    Answer question(const std::string& text, const std::string& title, Icon, Answer) override {
        Stop(title, text);
    }

  private:
    [[noreturn]] static void Stop(const std::string& title, const std::string& text) {
        std::fprintf(stderr, "a box stood in the pictures: %s: %s\n", title.c_str(), text.c_str());
        std::exit(1);
    }
};

void Save(QWidget* window, const fs::path& file) {
    QApplication::processEvents();
    if (!window->grab().save(QString::fromStdString(file.string()))) {
        std::fprintf(stderr, "could not write %s\n", file.string().c_str());
        std::exit(1);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tolvane-screenshots FOLDER\n");
        return 2;
    }
    QApplication::setFont(QFont("DejaVu Sans", 9));
    // Absolute now: start-up makes the ship set directory the current folder.
    fs::path out = fs::absolute(ToPath(QString::fromLocal8Bit(argv[1])));
    fs::create_directories(out);
    fs::path world = fs::temp_directory_path() / "tolvane-screenshots";
    fs::remove_all(world);
    demo::DemoWorld demo = demo::MakeDemoWorld(world);
    QtSettingsStore store(QString::fromStdString(demo.settings.string()));
    demo::SaveDemoSettings(store, demo);
    StoppingPrompts prompts;
    Session session(store, prompts, world / "Program", world / "Data");
    {
        WindowSet windows(session);
        OpenFirstWindow(session, windows);
        QWidget* main = TopLevel("mainWindow");
        auto* list = main->findChild<QListWidget*>("shipSetList");
        list->setCurrentRow(0);
        emit list->itemClicked(list->item(0));
        Save(main, out / "main-window.png");
        auto* filter = main->findChild<QLineEdit*>("shipSetFilter");
        filter->setText("ro");
        Save(main, out / "filter.png");
        filter->clear();

        main->findChild<QPushButton*>("infoButton")->click();
        Save(TopLevel("infoWindow"), out / "information.png");
        TopLevel("infoWindow")->close();

        windows.showOptionsDialog();
        Save(TopLevel("optionsDialog"), out / "options.png");
        TopLevel("optionsDialog")->close();

        windows.showPilotLoader();
        Save(TopLevel("pilotLoader"), out / "pilot-loader.png");
    }
    fs::remove_all(world);
    return 0;
}
