#pragma once

#include <QPushButton>

namespace tolvane {

// A push button with its caption and the object name that says what it is (tests find it so).
inline QPushButton* NamedButton(const char* name, const char* caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

}  // namespace tolvane
