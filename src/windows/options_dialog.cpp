#include "windows/options_dialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>

#include "app/options.h"
#include "windows/guarded.h"
#include "windows/main_window.h"
#include "windows/qt_text.h"
#include "windows/window_set.h"

namespace tolvane {
namespace {

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QGroupBox* Frame(QWidget* parent, const char* name, const char* caption, QRect geometry) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

}  // namespace

OptionsDialog::OptionsDialog(Session& session, WindowSet& windows)
    : session_(session),
      windows_(windows),
      txtXWAExe_(new QLineEdit(this)),
      chkOpenCut_(new QCheckBox("Skip Opening Cutscene?", this)),
      txtTolvaneDir_(new QLineEdit(this)) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    setWindowFlag(Qt::Dialog);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(432, 158);

    Frame(this, "Frame2", "XWingAlliance.exe", {8, 8, 417, 65})->lower();
    txtXWAExe_->setObjectName("txtXWAExe");
    txtXWAExe_->setGeometry(16, 24, 377, 19);
    auto* cmdXWAExe = Button(this, "cmdXWAExe", "...", {400, 24, 17, 17});
    chkOpenCut_->setObjectName("chkOpenCut");
    chkOpenCut_->setGeometry(16, 48, 145, 17);
    Frame(this, "Frame1", "ShipSet Directory", {8, 80, 417, 41})->lower();
    txtTolvaneDir_->setObjectName("txtTolvaneDir");
    txtTolvaneDir_->setGeometry(16, 96, 377, 19);
    auto* cmdTolvaneDir = Button(this, "cmdTolvaneDir", "...", {400, 96, 17, 17});
    auto* cmdOk = Button(this, "cmdOk", "&OK", {288, 128, 65, 25});
    auto* cmdCancel = Button(this, "cmdCancel", "&Cancel", {360, 128, 65, 25});
    cmdOk->setDefault(true);

    OptionsFields fields = LoadOptionsFields(session_);
    txtXWAExe_->setText(ToQString(fields.gameExePath));
    txtTolvaneDir_->setText(ToQString(fields.shipSetDir));
    chkOpenCut_->setChecked(fields.skipCutscene);

    Prompts& prompts = session_.prompts;
    connect(cmdXWAExe, &QPushButton::clicked, this, Guarded(prompts, [this] { pickExecutable(); }));
    connect(cmdTolvaneDir, &QPushButton::clicked, this,
            Guarded(prompts, [this] { pickDirectory(); }));
    connect(cmdOk, &QPushButton::clicked, this, Guarded(prompts, [this] { accept(); }));
    connect(cmdCancel, &QPushButton::clicked, this, Guarded(prompts, [this] { cancel(); }));
}

void OptionsDialog::pickExecutable() {
    QString start =
        txtXWAExe_->text().isEmpty() ? QString("XWingAlliance.exe") : txtXWAExe_->text();
    QString picked = QFileDialog::getOpenFileName(this, "Select XWingAlliance.exe File", start,
                                                  "Executables (*.exe);;All Files (*.*)");
    if (!picked.isEmpty())
        txtXWAExe_->setText(QDir::toNativeSeparators(picked));
}

void OptionsDialog::pickDirectory() {
    QString picked =
        QFileDialog::getExistingDirectory(this, "Select ShipSet Directory", txtTolvaneDir_->text());
    if (!picked.isEmpty())
        txtTolvaneDir_->setText(
            ToQString(WithTrailingSeparator(ToStdString(QDir::toNativeSeparators(picked)))));
}

void OptionsDialog::accept() {
    OptionsFields fields{ToStdString(txtXWAExe_->text()), ToStdString(txtTolvaneDir_->text()),
                         chkOpenCut_->isChecked()};
    if (AcceptOptions(session_, fields, [this] { windows_.showMainWindow(); }))
        close();
}

void OptionsDialog::cancel() {
    if (MayCancelOptions(session_))
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
