#include "windows/reading_window.h"

namespace tolvane {

ReadingWindow::ReadingWindow() : bar_(new QProgressBar(this)), progress_(bar_) {
    setObjectName("frmReading");
    setWindowTitle("Reading ShipSet Names....");
    setFixedSize(300, 40);
    bar_->setObjectName("ProgressBar1");
    bar_->setGeometry(8, 10, 284, 20);
    bar_->setTextVisible(false);
}

}  // namespace tolvane
