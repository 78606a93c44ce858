#pragma once

#include <QWidget>

#include "session/prompts.h"

namespace tolvane {

class WindowSet;

// The about box: the program's title, version and credits, and the system information tool.
class AboutBox : public QWidget {
  public:
    AboutBox(Prompts& prompts, WindowSet& windows);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    Prompts& prompts_;
    WindowSet& windows_;
};

}  // namespace tolvane
