#include "windows/pilot_loader.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "app/pilot_loader_logic.h"
#include "windows/dialog_keys.h"
#include "windows/guarded.h"
#include "windows/qt_text.h"

namespace tolvane {

PilotLoader::PilotLoader(Session& session, MainWindowView& mainWindow)
    : session_(session),
      mainWindow_(mainWindow),
      list1_(new QListWidget),
      cmdSwitch_(new QPushButton("&Load Pilot")) {
    setObjectName("frmPilotSwitcher");
    setWindowTitle("Pilot Loader");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(220, 260);
    list1_->setObjectName("List1");
    cmdSwitch_->setObjectName("cmdSwitch");
    cmdSwitch_->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list1_);
    layout->addWidget(cmdSwitch_);

    RunGuarded(session_.prompts, [this] {
        for (const std::string& name : LoadPilotList(session_))
            list1_->addItem(ToQString(name));
    });
    // A pilot chosen by mouse or by keyboard may be loaded; Enter or a double click loads it.
    connect(list1_, &QListWidget::itemSelectionChanged, cmdSwitch_,
            [this] { cmdSwitch_->setEnabled(!list1_->selectedItems().isEmpty()); });
    connect(list1_, &QListWidget::itemActivated, cmdSwitch_, &QPushButton::click);
    GiveDialogKeys(this, cmdSwitch_, [this] { close(); });
    // Whatever goes wrong, the launch button comes back so that the cycle can be closed.
    connect(
        cmdSwitch_, &QPushButton::clicked, this,
        Guarded(
            session_.prompts, [this] { loadPilot(); }, [this] { PilotLoaderClosed(mainWindow_); }));
}

void PilotLoader::loadPilot() {
    QListWidgetItem* item = list1_->currentItem();
    if (item == nullptr)
        return;
    finished_ = true;
    LoadPilot(session_, mainWindow_, ToStdString(item->text()), [this] { hide(); });
    close();
}

void PilotLoader::closeEvent(QCloseEvent* event) {
    // Closed without loading a pilot: the launch button comes back so the cycle can be closed.
    if (!finished_)
        RunGuarded(session_.prompts, [this] { PilotLoaderClosed(mainWindow_); });
    event->accept();
}

}  // namespace tolvane
