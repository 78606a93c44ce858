#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

namespace tolvane {

// The keys of a Windows dialog for a window that is a plain widget: Escape does what its close
// box does (`escape`), and Enter presses `defaultButton` while it can be pressed.
void GiveDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> escape);

}  // namespace tolvane
