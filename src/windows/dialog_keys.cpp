#include "windows/dialog_keys.h"

#include <QShortcut>

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

}  // namespace tolvane
