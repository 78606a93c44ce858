#pragma once

#include <QCheckBox>
#include <QLineEdit>
#include <QWidget>

#include "session/session.h"

namespace tolvane {

class WindowSet;

// The options dialog: the game's executable, the ship set directory and the cutscene option.
class OptionsDialog : public QWidget {
  public:
    OptionsDialog(Session& session, WindowSet& windows);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void pickExecutable();
    void pickDirectory();
    void accept();
    void cancel();

    Session& session_;
    WindowSet& windows_;
    QLineEdit* gameExecutableEdit_;
    QCheckBox* skipIntroCheckBox_;
    QLineEdit* shipSetFolderEdit_;
};

}  // namespace tolvane
