#pragma once

#include <QPushButton>
#include <QWidget>
#include <functional>

namespace tolvane {

// The keys of a Windows dialog for a window that is a plain widget: Escape does what its close
// box does (`escape`), and Enter presses `defaultButton` while it can be pressed.
void GiveDialogKeys(QWidget* window, QPushButton* defaultButton, std::function<void()> escape);

// Keys as a Windows player knows them, in every window of the program: Enter presses the button
// that has the focus (before any default button), and in a list where nothing is selected yet
// the first arrow press selects the row that has the focus frame, the first when none has.
class DialogKeys : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tolvane
