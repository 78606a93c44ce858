#include "support/fake_main_window.h"

namespace tolvane::testing {

FakeMainWindow::FakeMainWindow() {
    for (Control control :
         {Control::infoButton, Control::refreshButton, Control::launchButton, Control::shipSetList,
          Control::aboutButton, Control::optionsButton, Control::exitButton}) {
        enabled_[control] = true;
    }
    enabled_[Control::infoButton] = false;
    enabled_[Control::launchButton] = false;
}

}  // namespace tolvane::testing
