#pragma once

#include <QElapsedTimer>
#include <QProgressBar>

#include "app/main_window_view.h"

namespace tolvane {

// A QProgressBar driven by the core. It keeps the value itself (a bar drops values outside its
// range) and lets Qt paint as the steps come, so the bar moves and the window is not reported as
// hung, without taking the player's input in the middle of an operation. Painting is held to
// about twenty frames a second: a thousand quick steps must not cost a thousand repaints.
class BarProgress : public Progress {
  public:
    explicit BarProgress(QProgressBar* bar) : bar_(bar) {}
    void setMaximum(int maximum) override;
    void setValue(int value) override;
    int value() const override { return value_; }
    int maximum() const override { return maximum_; }

  private:
    void show();

    QProgressBar* bar_;
    int value_ = 0;
    int maximum_ = 100;
    QElapsedTimer sincePaint_;
};

}  // namespace tolvane
