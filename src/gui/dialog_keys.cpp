#include "gui/dialog_keys.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QShortcut>
#include <algorithm>

namespace tolvane {

void GiveDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> escape) {
    defaultButton->setDefault(true);
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), window), &QShortcut::activated,
                     window, std::move(escape));
    for (int key : {Qt::Key_Return, Qt::Key_Enter}) {
        QObject::connect(new QShortcut(QKeySequence(key), window), &QShortcut::activated,
                         defaultButton, [defaultButton] {
                             if (defaultButton->isEnabled() && defaultButton->isVisible())
                                 defaultButton->click();
                         });
    }
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down;
    if (auto* button = qobject_cast<QPushButton*>(watched); button && enter) {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();  // the key is the button's, not a window shortcut's
            return false;
        }
        if (button->isEnabled() && button->isVisible())
            button->click();
        return true;
    }
    if (auto* list = qobject_cast<QListWidget*>(watched);
        list && arrow && event->type() == QEvent::KeyPress && list->count() > 0 &&
        list->selectedItems().isEmpty()) {
        list->setCurrentRow(std::max(list->currentRow(), 0), QItemSelectionModel::ClearAndSelect);
        return true;
    }
    return false;
}

}  // namespace tolvane
