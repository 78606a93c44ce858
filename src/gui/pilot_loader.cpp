#include "gui/pilot_loader.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "app/pilot_loader_logic.h"
#include "gui/dialog_keys.h"
#include "gui/guarded.h"
#include "gui/qt_text.h"

namespace tolvane {

PilotLoader::PilotLoader(Session& session, MainWindowLogic& mainWindow)
    : session_(session),
      mainWindow_(mainWindow),
      pilotList_(new QListWidget),
      loadPilotButton_(new QPushButton("&Load Pilot")) {
    setObjectName("pilotLoader");
    setWindowTitle("Pilot Loader");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(220, 260);
    pilotList_->setObjectName("pilotList");
    loadPilotButton_->setObjectName("loadPilotButton");
    loadPilotButton_->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pilotList_);
    layout->addWidget(loadPilotButton_);

    // A pilot chosen by mouse or by keyboard may be loaded; Enter or a double click loads it.
    connect(pilotList_, &QListWidget::itemSelectionChanged, loadPilotButton_,
            [this] { loadPilotButton_->setEnabled(!pilotList_->selectedItems().isEmpty()); });
    // The loader opens with the pilot config.cfg names chosen, so "Load Pilot" is ready.
    RunGuarded(session_.prompts, [this] {
        fs::path game = GameFolderOf(session_.settings);
        std::string current = CurrentPilot(game);
        for (const std::string& name : LoadPilotList(game, session_.prompts)) {
            pilotList_->addItem(ToQString(name));
            if (name == current && pilotList_->selectedItems().isEmpty())
                pilotList_->setCurrentRow(pilotList_->count() - 1);
        }
    });
    connect(pilotList_, &QListWidget::itemActivated, loadPilotButton_, &QPushButton::click);
    GiveDialogKeys(this, loadPilotButton_, [this] { close(); });
    // Whatever goes wrong, the launch button comes back so that the cycle can be closed.
    connect(loadPilotButton_, &QPushButton::clicked, this,
            Guarded(
                session_.prompts, [this] { loadPilot(); },
                [this] { mainWindow_.pilotLoaderClosed(); }));
}

void PilotLoader::loadPilot() {
    QListWidgetItem* item = pilotList_->currentItem();
    if (item == nullptr)
        return;
    finished_ = true;
    LoadPilot(session_, mainWindow_, ToStdString(item->text()), [this] { hide(); });
    close();
}

void PilotLoader::closeEvent(QCloseEvent* event) {
    // Closed without loading a pilot: the launch button offers the loader again, or the restore.
    if (!finished_)
        RunGuarded(session_.prompts, [this] { mainWindow_.pilotLoaderCancelled(); });
    event->accept();
}

}  // namespace tolvane
