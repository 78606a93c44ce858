#include "windows/info_window.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "windows/qt_text.h"

namespace tolvane {
namespace {

template <typename Field>
Field* framed(QVBoxLayout* layout, const char* frameName, const char* caption,
              const char* fieldName) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(frameName);
    auto* field = new Field;
    field->setObjectName(fieldName);
    field->setReadOnly(true);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(field);
    layout->addWidget(frame);
    return field;
}

}  // namespace

InfoWindow::InfoWindow() {
    setObjectName("frmInfo");
    setWindowTitle("About ");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(360, 380);
    auto* layout = new QVBoxLayout(this);
    lblName_ = framed<QLineEdit>(layout, "Frame1", "Author:", "lblName");
    lblEmail_ = framed<QLineEdit>(layout, "Frame2", "E-Mail", "lblEmail");
    lblWebsite_ = framed<QLineEdit>(layout, "Frame3", "Website", "lblWebsite");
    framed<QLineEdit>(layout, "Frame4", "Game", "Label3")->setText("X-Wing Alliance");
    txtInfo_ = framed<QTextEdit>(layout, "Frame5", "About the ShipSet", "txtInfo");
    auto* ok = new QPushButton("&OK");
    ok->setObjectName("Command1");
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

void InfoWindow::fill(const ShipSetInfo& info) {
    setWindowTitle("About " + qt(info.name));
    lblName_->setText(qt(info.author));
    lblEmail_->setText(qt(info.email));
    lblWebsite_->setText(qt(info.website));
    txtInfo_->setPlainText(qt(info.description));
}

}  // namespace tolvane
