#include "support/fake_main_window.h"

namespace tolvane::testing {

FakeMainWindow::FakeMainWindow() {
    for (Control control :
         {Control::cmdInfo, Control::Command1, Control::cmdLaunch, Control::lstShipSets,
          Control::Command3, Control::cmdOptions, Control::Command2}) {
        enabled_[control] = true;
    }
    enabled_[Control::cmdInfo] = false;
    enabled_[Control::cmdLaunch] = false;
}

}  // namespace tolvane::testing
