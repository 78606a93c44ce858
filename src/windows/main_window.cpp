#include "windows/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <functional>

#include "packages/package_checks.h"
#include "windows/banner.h"
#include "windows/guarded.h"
#include "windows/info_window.h"
#include "windows/qt_text.h"
#include "windows/reading_window.h"
#include "windows/tab_order.h"
#include "windows/window_set.h"

namespace tolvane {

MainWindow::MainWindow(Session& session, WindowSet& windows)
    : windows_(windows),
      prompts_(session.prompts),
      cmdInfo_(button("cmdInfo", "Info on Shipset")),
      command1_(button("Command1", "Refresh ShipSet List")),
      progressBar_(new QProgressBar),
      cmdLaunch_(button("cmdLaunch", kLaunchCaption)),
      lstShipSets_(new QListWidget),
      command3_(button("Command3", "About Tolvane")),
      cmdOptions_(button("cmdOptions", "Options")),
      command2_(button("Command2", "E&xit")),
      progress_(progressBar_),
      logic_(session, *this) {
    setObjectName("frmXWATolvane");
    setWindowTitle("Tolvane");

    auto* picture = new QLabel;
    picture->setObjectName("Picture1");
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(DrawBanner(248, 135, qApp->devicePixelRatio()));

    progressBar_->setObjectName("ProgressBar1");
    progressBar_->setTextVisible(false);
    progressBar_->setValue(0);
    lstShipSets_->setObjectName("lstShipSets");

    // The bar lies beneath the launch button, in the same place, and shows while it is hidden.
    auto* launchPlace = new QGridLayout;
    launchPlace->addWidget(progressBar_, 0, 0);
    launchPlace->addWidget(cmdLaunch_, 0, 0);
    cmdLaunch_->raise();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(cmdInfo_);
    layout->addWidget(command1_);
    layout->addLayout(launchPlace);
    layout->addWidget(lstShipSets_, 1);
    layout->addWidget(command3_);
    layout->addWidget(cmdOptions_);
    layout->addWidget(command2_);
    SetTabOrder({cmdInfo_, command1_, cmdLaunch_, lstShipSets_, command3_, cmdOptions_, command2_});
    resize(267, 422);  // the default size; the layout lets every text show whole

    auto handle = [this, &session](void (MainWindowLogic::*handler)()) {
        return Guarded(
            session.prompts, [this, handler] { (logic_.*handler)(); },
            [this] { logic_.afterUnforeseenError(); });
    };
    // A selection by keyboard does what the same selection by mouse does.
    connect(lstShipSets_, &QListWidget::itemClicked, this, handle(&MainWindowLogic::listClicked));
    connect(lstShipSets_, &QListWidget::itemSelectionChanged, this,
            [this, listClicked = handle(&MainWindowLogic::listClicked)] {
                if (!lstShipSets_->selectedItems().isEmpty() && lstShipSets_->isEnabled())
                    listClicked();
            });
    connect(lstShipSets_, &QListWidget::itemActivated, this,
            handle(&MainWindowLogic::launchClicked));
    connect(cmdInfo_, &QPushButton::clicked, this, handle(&MainWindowLogic::infoClicked));
    connect(command1_, &QPushButton::clicked, this, handle(&MainWindowLogic::refreshClicked));
    connect(cmdLaunch_, &QPushButton::clicked, this, handle(&MainWindowLogic::launchClicked));
    connect(cmdOptions_, &QPushButton::clicked, this, Guarded(session.prompts, [this] {
                windows_.showOptionsDialog();
                QWidget::setEnabled(false);
            }));
    connect(command3_, &QPushButton::clicked, this,
            Guarded(session.prompts, [this] { windows_.showAbout(); }));
    connect(command2_, &QPushButton::clicked, this, &QWidget::close);

    gameWatch_.setInterval(500);
    connect(&gameWatch_, &QTimer::timeout, this, [this] {
        if (game_.running())
            return;
        gameWatch_.stop();
        // The game has ended: back to the front, with the button that restores in focus.
        show();
        raise();
        activateWindow();
        cmdLaunch_->setFocus();
    });
}

void MainWindow::watchGame(RunningProgram game) {
    game_ = std::move(game);
    gameWatch_.start();
}

bool MainWindow::gameRunning() {
    return game_.running();
}

bool MainWindow::anyGameRunning() {
    return ProgramIsRunning(kGameExecutableKey);
}

void MainWindow::readShipSetsAgain() {
    RunGuarded(
        prompts_, [this] { logic_.refreshClicked(); }, [this] { logic_.afterUnforeseenError(); });
}

void MainWindow::load() {
    RunGuarded(
        prompts_, [this] { logic_.load(); }, [this] { logic_.afterUnforeseenError(); });
}

QPushButton* MainWindow::button(const char* name, const char* caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

QWidget* MainWindow::control(Control control) const {
    switch (control) {
        case Control::cmdInfo:
            return cmdInfo_;
        case Control::Command1:
            return command1_;
        case Control::cmdLaunch:
            return cmdLaunch_;
        case Control::lstShipSets:
            return lstShipSets_;
        case Control::Command3:
            return command3_;
        case Control::cmdOptions:
            return cmdOptions_;
        case Control::Command2:
            return command2_;
    }
    return nullptr;
}

void MainWindow::setEnabled(Control which, bool enabled) {
    control(which)->setEnabled(enabled);
}

void MainWindow::setLaunchCaption(const std::string& caption) {
    cmdLaunch_->setText(ToQString(caption));
}

std::string MainWindow::launchCaption() const {
    return ToStdString(cmdLaunch_->text());
}

void MainWindow::setLaunchVisible(bool visible) {
    cmdLaunch_->setVisible(visible);
}

void MainWindow::clearShipSets() {
    lstShipSets_->clear();
}

void MainWindow::addShipSet(const std::string& name) {
    lstShipSets_->addItem(ToQString(name));
}

int MainWindow::selectedShipSet() const {
    return lstShipSets_->currentRow();
}

int MainWindow::shipSetCount() const {
    return lstShipSets_->count();
}

std::string MainWindow::shipSetText(int position) const {
    QListWidgetItem* item = lstShipSets_->item(position);
    return item ? ToStdString(item->text()) : std::string();
}

Progress& MainWindow::showReadingWindow() {
    ReadingWindow& reading = windows_.readingWindow();
    reading.show();
    return reading.progress();
}

void MainWindow::hideReadingWindow() {
    windows_.readingWindow().hide();
}

void MainWindow::showPilotLoader() {
    windows_.showPilotLoader();
}

void MainWindow::showInfo(const ShipSetInfo& info, const LaunchPreview& changes) {
    InfoWindow& window = windows_.infoWindow();
    window.show();
    window.fill(info, changes);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The next start offers the restore either way; the player should know before leaving.
    if (!logic_.mayQuit()) {
        event->ignore();
        return;
    }
    RunGuarded(prompts_, [this] { windows_.closeAllBesideMain(); });
    event->accept();
}

}  // namespace tolvane
