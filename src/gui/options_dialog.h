#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    void layOut();
    // The fields as the settings hold them.
    void fill();
    // The controls' signals to their handlers, each guarded.
    void connectHandlers();
    // Says what will start the game at the executable in the field (on hosts other than Windows).
    void showStarter();
    void pickExecutable();
    void pickDirectory();
    void accept();
    void cancel();

    Session& session_;
    WindowSet& windows_;
    QLineEdit* gameExecutableEdit_;
    QPushButton* gameExecutableBrowse_;
    QCheckBox* skipIntroCheckBox_;
    QLineEdit* shipSetFolderEdit_;
    QPushButton* shipSetFolderBrowse_;
    QLabel* gameStarter_;
    QPushButton* okButton_;
    QPushButton* cancelButton_;
};

}  // namespace tolvane
