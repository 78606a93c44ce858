#include "windows/about_box.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/about.h"
#include "windows/banner.h"
#include "windows/guarded.h"
#include "windows/main_window.h"
#include "windows/qt_text.h"
#include "windows/window_set.h"

namespace tolvane {
namespace {

QLabel* Label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setWordWrap(true);
    return label;
}

QFrame* Line(QWidget* parent, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(8, top, 354, 2);
    return line;
}

}  // namespace

AboutBox::AboutBox(Prompts& prompts, WindowSet& windows) : prompts_(prompts), windows_(windows) {
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Dialog);
    setWindowTitle(QString("About ") + kProgramTitle);
    setFixedSize(370, 200);

    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    icon->setGeometry(12, 12, 48, 48);
    icon->setPixmap(DrawBanner(160, 90).copy(56, 20, 48, 48));

    QFont titleFont = font();
    titleFont.setPointSize(titleFont.pointSize() + 4);
    titleFont.setBold(true);
    Label(this, "lblTitle", kProgramTitle, {72, 12, 280, 26})->setFont(titleFont);
    Label(this, "lblVersion", ToQString(VersionLabel()), {72, 40, 280, 18});
    Label(this, "lblDescription", "Created by: Pemberly", {72, 64, 280, 18});
    Line(this, 96);
    Label(this, "lblDisclaimer", "Warning: Any use of this program means that you like it.",
          {12, 104, 240, 44});
    Line(this, 152);

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setGeometry(270, 104, 90, 24);
    ok->setDefault(true);
    auto* sysInfo = new QPushButton("&System Info...", this);
    sysInfo->setObjectName("cmdSysInfo");
    sysInfo->setGeometry(270, 164, 90, 24);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this,
            Guarded(prompts, [&prompts] { StartSysInfo(prompts); }));
}

void AboutBox::closeEvent(QCloseEvent* event) {
    if (!windows_.closingAll())
        RunGuarded(prompts_, [this] { windows_.mainWindow().QWidget::setEnabled(true); });
    event->accept();
}

}  // namespace tolvane
