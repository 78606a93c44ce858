#include "gui/bar_progress.h"

#include <QCoreApplication>
#include <algorithm>

namespace tolvane {

void BarProgress::setMaximum(int maximum) {
    maximum_ = maximum;
    show();
}

void BarProgress::setValue(int value) {
    value_ = value;
    show();
}

void BarProgress::show() {
    bar_->setRange(0, std::max(maximum_, 1));
    bar_->setValue(std::clamp(value_, 0, std::max(maximum_, 1)));
    constexpr qint64 kFrameMilliseconds = 50;
    if (sincePaint_.isValid() && sincePaint_.elapsed() < kFrameMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sincePaint_.start();
}

}  // namespace tolvane
