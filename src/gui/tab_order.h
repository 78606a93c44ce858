#pragma once

#include <QWidget>
#include <initializer_list>

namespace tolvane {

// Keyboard focus moves through `widgets` in this order, the order in which they are seen.
inline void SetTabOrder(std::initializer_list<QWidget*> widgets) {
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

}  // namespace tolvane
