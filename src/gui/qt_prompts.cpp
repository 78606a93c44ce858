#include "gui/qt_prompts.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "gui/qt_text.h"

namespace tolvane {
namespace {

QMessageBox::Icon QtIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The texts break lines with carriage returns alone; a label wants line feeds.
QString Shown(const std::string& text) {
    return ToQString(text).replace('\r', '\n');
}

// The window the player is looking at, which the box belongs to and is centred on: the active
// one, else the one Tolvane shows in front (a window manager may leave none active).
QWidget* WindowInFront() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (const char* name :
         {"optionsDialog", "pilotLoader", "infoWindow", "aboutBox", "mainWindow"}) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->objectName() == name)
                return window;
        }
    }
    return nullptr;
}

// Every text as written: a name holding "<b>" or "&amp;" is never taken for markup. The box is
// wide enough for its title and for each line, a path among them, up to most of the screen, so
// that neither is cut or broken across lines.
void Prepare(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
    auto* label = box.findChild<QLabel*>("qt_msgbox_label");
    if (label == nullptr)
        return;
    QFontMetrics metrics(label->font());
    int widest = metrics.horizontalAdvance(box.windowTitle()) + 8 * metrics.averageCharWidth();
    for (const QString& line : box.text().split('\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line) + metrics.averageCharWidth());
    QScreen* screen = box.screen();
    int room = screen ? screen->availableGeometry().width() * 4 / 5 : widest;
    label->setMinimumWidth(std::min(widest, room));
}

}  // namespace

void QtPrompts::message(const std::string& text, const std::string& title, Icon icon) {
    QMessageBox box(QtIcon(icon), ToQString(title), Shown(text), QMessageBox::Ok, WindowInFront());
    Prepare(box);
    box.exec();
}

Answer QtPrompts::question(const std::string& text, const std::string& title, Icon icon,
                           Answer defaultAnswer) {
    QMessageBox box(QtIcon(icon), ToQString(title), Shown(text), QMessageBox::Yes | QMessageBox::No,
                    WindowInFront());
    Prepare(box);
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

}  // namespace tolvane
