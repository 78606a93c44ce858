#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <functional>

#include "gui/banner.h"
#include "gui/guarded.h"
#include "gui/info_window.h"
#include "gui/named_button.h"
#include "gui/qt_text.h"
#include "gui/reading_window.h"
#include "gui/tab_order.h"
#include "gui/window_set.h"
#include "platform/error.h"

namespace tolvane {

namespace {

// The filter field: Escape clears it, as in any search field.
class FilterField : public QLineEdit {
  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && !text().isEmpty()) {
            clear();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

}  // namespace

MainWindow::MainWindow(Session& session, WindowSet& windows)
    : windows_(windows),
      prompts_(session.prompts),
      store_(session.store),
      shipSetFilter_(new FilterField),
      infoButton_(NamedButton("infoButton", "Info on Shipset")),
      refreshButton_(NamedButton("refreshButton", "Refresh ShipSet List")),
      progressBar_(new QProgressBar),
      launchButton_(NamedButton("launchButton", kLaunchCaption)),
      shipSetList_(new QListWidget),
      aboutButton_(NamedButton("aboutButton", "About Tolvane")),
      optionsButton_(NamedButton("optionsButton", "Options")),
      exitButton_(NamedButton("exitButton", "E&xit")),
      progress_(progressBar_),
      logic_(session, *this) {
    layOut();
    connectHandlers();
}

void MainWindow::layOut() {
    setObjectName("mainWindow");
    setWindowTitle(kProgramTitle);

    auto* picture = new QLabel;
    picture->setObjectName("bannerPicture");
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    picture->setPixmap(DrawBanner(248, 135, qApp->devicePixelRatio()));

    progressBar_->setObjectName("progressBar");
    progressBar_->setTextVisible(false);
    progressBar_->setValue(0);
    shipSetList_->setObjectName("shipSetList");
    shipSetFilter_->setObjectName("shipSetFilter");
    shipSetFilter_->setPlaceholderText("Filter the ShipSets by name (Ctrl+F)");
    shipSetFilter_->setClearButtonEnabled(true);

    // The bar lies beneath the launch button, in the same place, and shows while it is hidden.
    auto* launchPlace = new QGridLayout;
    launchPlace->addWidget(progressBar_, 0, 0);
    launchPlace->addWidget(launchButton_, 0, 0);
    launchButton_->raise();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picture);
    layout->addWidget(infoButton_);
    layout->addWidget(refreshButton_);
    layout->addLayout(launchPlace);
    layout->addWidget(shipSetFilter_);
    layout->addWidget(shipSetList_, 1);
    layout->addWidget(aboutButton_);
    layout->addWidget(optionsButton_);
    layout->addWidget(exitButton_);
    SetTabOrder({infoButton_, refreshButton_, launchButton_, shipSetFilter_, shipSetList_,
                 aboutButton_, optionsButton_, exitButton_});
    resize(300, 448);  // the default size: every caption, and a broken row with its file name
    shipSetList_->setFocus();  // the window opens ready for the arrow keys and Enter
}

void MainWindow::connectHandlers() {
    auto handle = [this](void (MainWindowLogic::*handler)()) {
        return Guarded(
            prompts_, [this, handler] { (logic_.*handler)(); },
            [this] { logic_.afterUnforeseenError(); });
    };
    // A selection by keyboard does what the same selection by mouse does.
    connect(shipSetList_, &QListWidget::itemClicked, this, handle(&MainWindowLogic::listClicked));
    connect(shipSetList_, &QListWidget::itemSelectionChanged, this,
            [this, listClicked = handle(&MainWindowLogic::listClicked)] {
                if (!shipSetList_->selectedItems().isEmpty() && shipSetList_->isEnabled())
                    listClicked();
            });
    connect(shipSetList_, &QListWidget::itemActivated, this,
            handle(&MainWindowLogic::launchClicked));
    connect(infoButton_, &QPushButton::clicked, this, handle(&MainWindowLogic::infoClicked));
    connect(refreshButton_, &QPushButton::clicked, this, handle(&MainWindowLogic::refreshClicked));
    connect(launchButton_, &QPushButton::clicked, this, handle(&MainWindowLogic::launchClicked));
    connect(optionsButton_, &QPushButton::clicked, this, Guarded(prompts_, [this] {
                windows_.showOptionsDialog();
                QWidget::setEnabled(false);
            }));
    connect(aboutButton_, &QPushButton::clicked, this,
            Guarded(prompts_, [this] { windows_.showAbout(); }));
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);

    connect(shipSetFilter_, &QLineEdit::textChanged, this, &MainWindow::applyFilter);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        shipSetFilter_->setFocus();
        shipSetFilter_->selectAll();
    });

    gameWatch_.setInterval(500);
    connect(&gameWatch_, &QTimer::timeout, this, [this] {
        if (game_.running())
            return;
        gameWatch_.stop();
        // The game has ended: back to the front, with the button that restores in focus.
        show();
        raise();
        activateWindow();
        launchButton_->setFocus();
        RunGuarded(prompts_, [this] { logic_.gameEnded(game_); });
    });
}

void MainWindow::watchGame(RunningProgram game) {
    game_ = std::move(game);
    gameWatch_.start();
}

bool MainWindow::gameRunning() {
    return game_.running();
}

bool MainWindow::gameRunningAt(const std::vector<std::string>& imagePaths) {
    return ProgramIsRunning(imagePaths);
}

void MainWindow::optionsAccepted(bool folderChanged) {
    RunGuarded(
        prompts_, [this, folderChanged] { logic_.optionsAccepted(folderChanged); },
        [this] { logic_.afterUnforeseenError(); });
}

void MainWindow::load() {
    RunGuarded(
        prompts_, [this] { logic_.load(); }, [this] { logic_.afterUnforeseenError(); });
}

QWidget* MainWindow::control(Control control) const {
    switch (control) {
        case Control::infoButton:
            return infoButton_;
        case Control::refreshButton:
            return refreshButton_;
        case Control::launchButton:
            return launchButton_;
        case Control::shipSetList:
            return shipSetList_;
        case Control::aboutButton:
            return aboutButton_;
        case Control::optionsButton:
            return optionsButton_;
        case Control::exitButton:
            return exitButton_;
    }
    return nullptr;
}

void MainWindow::setEnabled(Control which, bool enabled) {
    control(which)->setEnabled(enabled);
    if (which == Control::shipSetList)
        shipSetFilter_->setEnabled(enabled);
}

void MainWindow::setLaunchCaption(const std::string& caption) {
    launchButton_->setText(ToQString(caption));
}

void MainWindow::setLaunchVisible(bool visible) {
    launchButton_->setVisible(visible);
}

void MainWindow::clearShipSets() {
    shipSetList_->clear();
}

void MainWindow::addShipSet(const std::string& name) {
    auto* item = new QListWidgetItem(ToQString(name), shipSetList_);
    item->setData(Qt::UserRole, item->text());  // the name, whatever the row shows beside it
    item->setHidden(!passesFilter(item));
}

void MainWindow::markInstalled(int position) {
    for (int row = 0; row < shipSetList_->count(); ++row) {
        QListWidgetItem* item = shipSetList_->item(row);
        QString name = item->data(Qt::UserRole).toString();
        QFont font = item->font();
        font.setBold(row == position);
        item->setFont(font);
        item->setText(row == position ? name + "  (installed)" : name);
    }
}

bool MainWindow::passesFilter(const QListWidgetItem* item) const {
    return item->data(Qt::UserRole)
        .toString()
        .contains(shipSetFilter_->text(), Qt::CaseInsensitive);
}

void MainWindow::applyFilter() {
    for (int row = 0; row < shipSetList_->count(); ++row) {
        QListWidgetItem* item = shipSetList_->item(row);
        item->setHidden(!passesFilter(item));
    }
    QListWidgetItem* current = shipSetList_->currentItem();
    if (current != nullptr && current->isHidden()) {
        shipSetList_->setCurrentItem(nullptr);
        shipSetList_->clearSelection();
        RunGuarded(
            prompts_, [this] { logic_.selectionHidden(); },
            [this] { logic_.afterUnforeseenError(); });
    }
}

void MainWindow::placeOnScreen() {
    QByteArray place = QByteArray::fromBase64(
        QByteArray::fromStdString(store_.get(kSettingsSection, kMainWindowPlaceKey)));
    if (!place.isEmpty() && restoreGeometry(place))
        return;  // Qt brings a place off every screen back onto one
    QRect screen = this->screen()->availableGeometry();
    QRect frame = frameGeometry();
    move(screen.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

int MainWindow::selectedShipSet() const {
    return shipSetList_->currentRow();
}

int MainWindow::shipSetCount() const {
    return shipSetList_->count();
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
    try {
        store_.save(kSettingsSection, kMainWindowPlaceKey, saveGeometry().toBase64().toStdString());
    } catch (const Error&) {
        // Only where the window opens next depends on it.
    }
    RunGuarded(prompts_, [this] { windows_.closeAllBesideMain(); });
    event->accept();
}

}  // namespace tolvane
