#pragma once

#include <QProgressBar>
#include <QWidget>

#include "gui/bar_progress.h"

namespace tolvane {

// The reading window: shown while the catalogue is read.
class ReadingWindow : public QWidget {
  public:
    ReadingWindow();
    Progress& progress() { return progress_; }

  private:
    QProgressBar* bar_;
    BarProgress progress_;
};

}  // namespace tolvane
