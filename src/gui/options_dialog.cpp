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
#include "gui/named_button.h"
#include "gui/qt_text.h"
#include "gui/tab_order.h"
#include "gui/window_set.h"
#include "text/path_text.h"

namespace tolvane {
namespace {

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
      gameExecutableBrowse_(NamedButton("gameExecutableBrowseButton", "...")),
      skipIntroCheckBox_(new QCheckBox("Skip Opening Cutscene?")),
      shipSetFolderEdit_(new QLineEdit),
      shipSetFolderBrowse_(NamedButton("shipSetFolderBrowseButton", "...")),
      gameStarter_(new QLabel),
      okButton_(NamedButton("okButton", "&OK")),
      cancelButton_(NamedButton("cancelButton", "&Cancel")) {
    layOut();
    fill();
    connectHandlers();
}

void OptionsDialog::layOut() {
    setObjectName("optionsDialog");
    setWindowTitle("Options");
    setWindowFlag(Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);

    gameExecutableEdit_->setObjectName("gameExecutableEdit");
    skipIntroCheckBox_->setObjectName("skipIntroCheckBox");
    QGroupBox* gameExecutableFrame = Frame("gameExecutableFrame", "XWingAlliance.exe",
                                           gameExecutableEdit_, gameExecutableBrowse_);
    static_cast<QGridLayout*>(gameExecutableFrame->layout())
        ->addWidget(skipIntroCheckBox_, 1, 0, 1, 2);
    shipSetFolderEdit_->setObjectName("shipSetFolderEdit");
    QGroupBox* shipSetFolderFrame =
        Frame("shipSetFolderFrame", "ShipSet Directory", shipSetFolderEdit_, shipSetFolderBrowse_);
    okButton_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gameExecutableFrame);
    layout->addWidget(shipSetFolderFrame);
    // What will start the game, decided from where the executable lies: Windows starts it itself.
    gameStarter_->setObjectName("gameStarterLabel");
    gameStarter_->setTextInteractionFlags(Qt::TextSelectableByMouse);
#ifdef Q_OS_WIN
    gameStarter_->hide();
#endif
    layout->addWidget(gameStarter_);
    layout->addStretch();
    layout->addLayout(buttons);
    SetTabOrder({gameExecutableEdit_, gameExecutableBrowse_, skipIntroCheckBox_, shipSetFolderEdit_,
                 shipSetFolderBrowse_, okButton_, cancelButton_});
    // A usual path fits whole; a long one shows its start when it is not being edited.
    for (QLineEdit* field : {gameExecutableEdit_, shipSetFolderEdit_})
        field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 48);
    resize(432, 158);  // the default size; the layout lets every text show whole
}

void OptionsDialog::fill() {
    OptionsFields fields = LoadOptionsFields(session_.settings);
    gameExecutableEdit_->setText(ToQString(fields.gameExePath));
    shipSetFolderEdit_->setText(ToQString(fields.shipSetDir));
    skipIntroCheckBox_->setChecked(fields.skipIntro);
    for (QLineEdit* field : {gameExecutableEdit_, shipSetFolderEdit_}) {
        field->setToolTip(field->text());
        // Once laid out at its final width, where the scroll position is settled.
        QTimer::singleShot(0, field, [field] { field->setCursorPosition(0); });
    }
    showStarter();
}

void OptionsDialog::showStarter() {
#ifndef Q_OS_WIN
    QString path = gameExecutableEdit_->text();
    gameStarter_->setText(path.isEmpty()
                              ? QString()
                              : "Starts the game: " +
                                    ToQString(DecideGameStart(ToPath(path)).description));
#endif
}

void OptionsDialog::connectHandlers() {
    Prompts& prompts = session_.prompts;
    for (QLineEdit* field : {gameExecutableEdit_, shipSetFolderEdit_}) {
        connect(field, &QLineEdit::textChanged, field, &QWidget::setToolTip);
        connect(field, &QLineEdit::editingFinished, field,
                [field] { field->setCursorPosition(0); });
        // Enter in a path field presses OK, as in a Windows dialog.
        connect(field, &QLineEdit::returnPressed, okButton_, &QPushButton::click);
    }
    connect(gameExecutableEdit_, &QLineEdit::textChanged, this,
            Guarded(prompts, [this] { showStarter(); }));
    connect(gameExecutableBrowse_, &QPushButton::clicked, this,
            Guarded(prompts, [this] { pickExecutable(); }));
    connect(shipSetFolderBrowse_, &QPushButton::clicked, this,
            Guarded(prompts, [this] { pickDirectory(); }));
    connect(okButton_, &QPushButton::clicked, this, Guarded(prompts, [this] { accept(); }));
    connect(cancelButton_, &QPushButton::clicked, this, Guarded(prompts, [this] { cancel(); }));
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
