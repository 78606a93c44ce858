#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "app/main_window_view.h"
#include "session/session.h"

namespace tolvane {

// The pilot loader: after an install the player picks a pilot here, which starts the game.
class PilotLoader : public QWidget {
  public:
    PilotLoader(Session& session, MainWindowView& mainWindow);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void loadPilot();

    Session& session_;
    MainWindowView& mainWindow_;
    QListWidget* pilotList_;
    QPushButton* loadPilotButton_;
    bool finished_ = false;
};

}  // namespace tolvane
