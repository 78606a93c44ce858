#include "gui/options_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/options.h"
#include "game_start/game_start.h"
#include "gui/guarded.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/tab_order.h"
#include "gui/window_set.h"

namespace tolvane {
namespace {

QPushButton* Button(const char* name, const char* caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

// A framed row: a text box with its "..." button beside it.
QGroupBox* Frame(const char* name, const char* caption, QLineEdit* text, QPushButton* browse) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(name);
    // The browse button is as wide as its dots, in whatever font the desktop uses.
    browse->setMaximumWidth(browse->fontMetrics().horizontalAdvance(browse->text()) * 4);
    auto* layout = new QGridLayout(frame);
    layout->addWidget(text, 0, 0);
    layout->addWidget(browse, 0, 1);
    return frame;
}

}  // namespace

OptionsDialog::OptionsDialog(Session& session, WindowSet& windows)
    : session_(session),
      windows_(windows),
      gameExecutableEdit_(new QLineEdit),
      skipIntroCheckBox_(new QCheckBox("Skip Opening Cutscene?")),
      shipSetFolderEdit_(new QLineEdit) {
    setObjectName("optionsDialog");
    setWindowTitle("Options");
    setWindowFlag(Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);

    gameExecutableEdit_->setObjectName("gameExecutableEdit");
    auto* gameExecutableBrowse = Button("gameExecutableBrowseButton", "...");
    skipIntroCheckBox_->setObjectName("skipIntroCheckBox");
    QGroupBox* gameExecutableFrame = Frame("gameExecutableFrame", "XWingAlliance.exe",
                                           gameExecutableEdit_, gameExecutableBrowse);
    static_cast<QGridLayout*>(gameExecutableFrame->layout())
        ->addWidget(skipIntroCheckBox_, 1, 0, 1, 2);
    shipSetFolderEdit_->setObjectName("shipSetFolderEdit");
    auto* shipSetFolderBrowse = Button("shipSetFolderBrowseButton", "...");
    QGroupBox* shipSetFolderFrame =
        Frame("shipSetFolderFrame", "ShipSet Directory", shipSetFolderEdit_, shipSetFolderBrowse);
    auto* okButton = Button("okButton", "&OK");
    auto* cancelButton = Button("cancelButton", "&Cancel");
    okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gameExecutableFrame);
    layout->addWidget(shipSetFolderFrame);
#ifndef Q_OS_WIN
    // What will start the game, decided from where the executable lies.
    auto* gameStarter = new QLabel;
    gameStarter->setObjectName("gameStarterLabel");
    gameStarter->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(gameStarter);
    auto showStarter = [this, gameStarter] {
        QString path = gameExecutableEdit_->text();
        gameStarter->setText(path.isEmpty()
                                 ? QString()
                                 : "Starts the game: " +
                                       ToQString(DecideGameStart(ToPath(path)).description));
    };
    connect(gameExecutableEdit_, &QLineEdit::textChanged, this,
            Guarded(session_.prompts, showStarter));
#endif
    layout->addStretch();
    layout->addLayout(buttons);
    SetTabOrder({gameExecutableEdit_, gameExecutableBrowse, skipIntroCheckBox_, shipSetFolderEdit_,
                 shipSetFolderBrowse, okButton, cancelButton});
    resize(432, 158);  // the default size; the layout lets every text show whole

    OptionsFields fields = LoadOptionsFields(session_.settings);
    gameExecutableEdit_->setText(ToQString(fields.gameExePath));
    shipSetFolderEdit_->setText(ToQString(fields.shipSetDir));
    // A usual path fits whole; a long one shows its start when it is not being edited, and all
    // of it as its tooltip.
    for (QLineEdit* field : {gameExecutableEdit_, shipSetFolderEdit_}) {
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 48);
        field->setToolTip(field->text());
        connect(field, &QLineEdit::textChanged, field, &QWidget::setToolTip);
        connect(field, &QLineEdit::editingFinished, field,
                [field] { field->setCursorPosition(0); });
        // Once laid out at its final width, where the scroll position is settled.
        QTimer::singleShot(0, field, [field] { field->setCursorPosition(0); });
    }
    skipIntroCheckBox_->setChecked(fields.skipIntro);
#ifndef Q_OS_WIN
    showStarter();
#endif

    Prompts& prompts = session_.prompts;
    connect(gameExecutableBrowse, &QPushButton::clicked, this,
            Guarded(prompts, [this] { pickExecutable(); }));
    connect(shipSetFolderBrowse, &QPushButton::clicked, this,
            Guarded(prompts, [this] { pickDirectory(); }));
    connect(okButton, &QPushButton::clicked, this, Guarded(prompts, [this] { accept(); }));
    // Enter in a path field presses OK, as in a Windows dialog.
    for (QLineEdit* field : {gameExecutableEdit_, shipSetFolderEdit_})
        connect(field, &QLineEdit::returnPressed, okButton, &QPushButton::click);
    connect(cancelButton, &QPushButton::clicked, this, Guarded(prompts, [this] { cancel(); }));
}

void OptionsDialog::pickExecutable() {
    QString start = gameExecutableEdit_->text().isEmpty() ? QString("XWingAlliance.exe")
                                                          : gameExecutableEdit_->text();
    QString picked = QFileDialog::getOpenFileName(this, "Select XWingAlliance.exe File", start,
                                                  "Executables (*.exe);;All Files (*.*)");
    if (!picked.isEmpty())
        gameExecutableEdit_->setText(QDir::toNativeSeparators(picked));
}

void OptionsDialog::pickDirectory() {
    QString picked = QFileDialog::getExistingDirectory(this, "Select ShipSet Directory",
                                                       shipSetFolderEdit_->text());
    if (!picked.isEmpty())
        shipSetFolderEdit_->setText(
            ToQString(WithTrailingSeparator(ToStdString(QDir::toNativeSeparators(picked)))));
}

void OptionsDialog::accept() {
    OptionsFields fields{ToStdString(gameExecutableEdit_->text()),
                         ToStdString(shipSetFolderEdit_->text()), skipIntroCheckBox_->isChecked()};
    bool listMade = windows_.hasMainWindow();
    std::string shipSetsBefore = session_.settings.shipSetDir;
    if (!AcceptOptions(session_, fields))
        return;
    // A main window made now reads the directory just accepted; one made before reads it again.
    windows_.mainWindow().optionsAccepted(listMade &&
                                          session_.settings.shipSetDir != shipSetsBefore);
    close();
}

void OptionsDialog::cancel() {
    if (MayCancelOptions(session_.settings, session_.prompts))
        close();
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        return RunGuarded(session_.prompts, [this] { cancel(); });
    QWidget::keyPressEvent(event);
}

void OptionsDialog::closeEvent(QCloseEvent* event) {
    // However it closes, the main window comes (back) into view and can be used again.
    if (!windows_.closingAll()) {
        RunGuarded(session_.prompts, [this] {
            windows_.showMainWindow();
            windows_.mainWindow().QWidget::setEnabled(true);
        });
    }
    event->accept();
}

}  // namespace tolvane
