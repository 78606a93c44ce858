#include "gui/window_set.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "gui/about_box.h"
#include "gui/info_window.h"
#include "gui/main_window.h"
#include "gui/options_dialog.h"
#include "gui/pilot_loader.h"
#include "gui/reading_window.h"

// The icons are compiled into this library; Qt's macro must name them outside any namespace.
static void InitIconResources() {
    Q_INIT_RESOURCE(tolvane_icons);
}

namespace tolvane {

WindowSet::WindowSet(Session& session) : session_(session) {
    qApp->installEventFilter(&keys_);
    // Every window shows the program's icon.
    InitIconResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/tolvane-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
}

WindowSet::~WindowSet() {
    qApp->removeEventFilter(&keys_);
    closingAll_ = true;
    for (QWidget* window : std::initializer_list<QWidget*>{options_, about_, info_, pilotLoader_})
        delete window;
}

MainWindow& WindowSet::mainWindow() {
    if (!main_) {
        main_ = std::make_unique<MainWindow>(session_, *this);
        main_->load();
    }
    return *main_;
}

MainWindowLogic& WindowSet::loadMainWindow() {
    return mainWindow().logic();
}

void WindowSet::showMainWindow() {
    if (!mainWindow().isVisible())
        mainWindow().placeOnScreen();
    mainWindow().show();
}

void WindowSet::showOptionsDialog() {
    if (!options_)
        options_ = new OptionsDialog(session_, *this);
    options_->show();
    options_->raise();
}

ReadingWindow& WindowSet::readingWindow() {
    if (!reading_)
        reading_ = std::make_unique<ReadingWindow>();
    return *reading_;
}

InfoWindow& WindowSet::infoWindow() {
    if (!info_)
        info_ = new InfoWindow;
    return *info_;
}

void WindowSet::showAbout() {
    if (!about_)
        about_ = new AboutBox(session_.prompts, *this);
    about_->show();
    about_->raise();
}

void WindowSet::showPilotLoader() {
    if (!pilotLoader_) {
        pilotLoader_ = new PilotLoader(session_, mainWindow().logic());
        QRect main = mainWindow().frameGeometry();
        QRect screen = mainWindow().screen()->availableGeometry();
        QPoint right = main.topRight() + QPoint(8, 0);
        bool fits = right.x() + pilotLoader_->frameGeometry().width() <= screen.right();
        pilotLoader_->move(
            fits ? right : main.topLeft() - QPoint(pilotLoader_->frameGeometry().width() + 8, 0));
    }
    pilotLoader_->show();
    pilotLoader_->raise();
}

void WindowSet::bringToFront() {
    QWidget* front = options_ && options_->isVisible() ? static_cast<QWidget*>(options_)
                     : main_                           ? static_cast<QWidget*>(main_.get())
                                                       : nullptr;
    if (front == nullptr)
        return;
    front->showNormal();
    front->raise();
    front->activateWindow();
}

void WindowSet::closeAllBesideMain() {
    closingAll_ = true;
    for (QWidget* window : std::initializer_list<QWidget*>{about_, info_, options_, pilotLoader_}) {
        if (window)
            window->close();
    }
    if (reading_)
        reading_->close();
}

}  // namespace tolvane
