#include "gui/about_box.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/about.h"
#include "gui/dialog_keys.h"
#include "gui/guarded.h"
#include "gui/main_window.h"
#include "gui/qt_text.h"
#include "gui/window_set.h"

namespace tolvane {
namespace {

QLabel* Label(const char* name, const QString& text) {
    auto* label = new QLabel(text);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QFrame* Line() {
    auto* line = new QFrame;
    line->setObjectName("separatorLine");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

AboutBox::AboutBox(Prompts& prompts, WindowSet& windows) : prompts_(prompts), windows_(windows) {
    setObjectName("aboutBox");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Dialog);
    setWindowTitle(QString("About ") + kProgramTitle);

    auto* icon = new QLabel;
    icon->setObjectName("programIcon");
    icon->setPixmap(QIcon(":/icons/tolvane-48.png").pixmap(48, 48));
    QLabel* title = Label("titleLabel", kProgramTitle);
    QFont titleFont = font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* sysInfo = new QPushButton("&System Info...");
    sysInfo->setObjectName("systemInfoButton");

    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(Label("versionLabel", ToQString(VersionLabel())));
    heading->addWidget(Label("creditLabel", "Created by: Pemberly"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(sysInfo);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addLayout(heading, 0, 1, 1, 2);
    layout->addWidget(Line(), 1, 0, 1, 3);
    layout->addWidget(
        Label("disclaimerLabel", "Warning: Any use of this program means that you like it."), 2, 0,
        1, 2);
    layout->addLayout(buttons, 2, 2);
    layout->addWidget(Line(), 3, 0, 1, 3);
    layout->setColumnStretch(1, 1);
    resize(370, 200);  // the default size; the layout lets every text show whole

    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    GiveDialogKeys(this, ok, [this] { close(); });
    connect(sysInfo, &QPushButton::clicked, this,
            Guarded(prompts, [&prompts] { StartSysInfo(prompts); }));
}

void AboutBox::closeEvent(QCloseEvent* event) {
    if (!windows_.closingAll())
        RunGuarded(prompts_, [this] { windows_.mainWindow().QWidget::setEnabled(true); });
    event->accept();
}

}  // namespace tolvane
