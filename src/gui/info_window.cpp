#include "gui/info_window.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <type_traits>

#include "gui/dialog_keys.h"
#include "gui/qt_text.h"

namespace tolvane {
namespace {

template <typename Field>
Field* Framed(QVBoxLayout* layout, const char* frameName, const char* caption,
              const char* fieldName) {
    auto* frame = new QGroupBox(caption);
    frame->setObjectName(frameName);
    auto* field = new Field;
    field->setObjectName(fieldName);
    field->setReadOnly(true);
    // Text to read, not a box to fill in: no frame, and the window's own background.
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    if constexpr (std::is_same_v<Field, QLineEdit>)
        field->setFrame(false);
    else
        field->setFrameShape(QFrame::NoFrame);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(field);
    layout->addWidget(frame);
    return field;
}

}  // namespace

InfoWindow::InfoWindow() {
    setObjectName("infoWindow");
    setWindowTitle("About ");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(380, 560);  // the default size; the layout lets every text show whole
    auto* layout = new QVBoxLayout(this);
    authorField_ = Framed<QLineEdit>(layout, "authorFrame", "Author:", "authorField");
    emailField_ = Framed<QLineEdit>(layout, "emailFrame", "E-Mail", "emailField");
    websiteField_ = Framed<QLineEdit>(layout, "websiteFrame", "Website", "websiteField");
    Framed<QLineEdit>(layout, "gameFrame", "Game", "gameField")->setText("X-Wing Alliance");
    descriptionText_ =
        Framed<QTextEdit>(layout, "descriptionFrame", "About the ShipSet", "descriptionText");

    auto* changes = new QGroupBox("Changes to the game folder");
    changes->setObjectName("changesFrame");
    changesSummary_ = new QLabel;
    changesSummary_->setObjectName("changesSummary");
    changesSummary_->setWordWrap(true);
    changesSummary_->setTextFormat(Qt::PlainText);  // a refusal names files as they are written
    changesSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A model filled once: a ship set of any width is listed without holding up the window.
    changedPathsModel_ = new QStringListModel(this);
    changedPaths_ = new QListView;
    changedPaths_->setObjectName("changedPaths");
    changedPaths_->setModel(changedPathsModel_);
    changedPaths_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    changedPaths_->setUniformItemSizes(true);
    // Eight rows show without scrolling: most ship sets' whole list.
    constexpr int kRowsShown = 8;
    changedPaths_->setMinimumHeight((changedPaths_->fontMetrics().height() + 4) * kRowsShown +
                                    2 * changedPaths_->frameWidth());
    auto* changesLayout = new QVBoxLayout(changes);
    changesLayout->addWidget(changesSummary_);
    changesLayout->addWidget(changedPaths_);
    layout->addWidget(changes, 1);
    auto* ok = new QPushButton("&OK");
    ok->setObjectName("okButton");
    layout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    GiveDialogKeys(this, ok, [this] { close(); });
}

void InfoWindow::fill(const ShipSetInfo& info, const LaunchPreview& changes) {
    changesSummary_->setText(ToQString(changes.summary));
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(changes.paths.size()));
    for (const ChangedPath& path : changes.paths)
        rows.push_back(ToQString(path.path) + "  (" + MarkName(path.mark) + ")");
    changedPathsModel_->setStringList(rows);
    changedPaths_->setVisible(!rows.isEmpty());
    setWindowTitle("About " + ToQString(info.name));
    authorField_->setText(ToQString(info.author));
    emailField_->setText(ToQString(info.email));
    websiteField_->setText(ToQString(info.website));
    descriptionText_->setPlainText(ToQString(info.description));
}

}  // namespace tolvane
