#include "gui/reading_window.h"

#include <QVBoxLayout>

namespace tolvane {

ReadingWindow::ReadingWindow() : bar_(new QProgressBar), progress_(bar_) {
    setObjectName("readingWindow");
    setWindowTitle("Reading ShipSet Names....");
    bar_->setObjectName("progressBar");
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    resize(300, 40);
}

}  // namespace tolvane
