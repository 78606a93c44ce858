#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/main_window_logic.h"
#include "session/session.h"

namespace tolvane {

// The pilot loader: after an install the player picks a pilot here, which starts the game.
class PilotLoader : public QWidget {
  public:
    PilotLoader(Session& session, MainWindowLogic& mainWindow);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void loadPilot();

    Session& session_;
    MainWindowLogic& mainWindow_;
    QListWidget* pilotList_;
    QPushButton* loadPilotButton_;
    bool finished_ = false;
};

}  // namespace tolvane
