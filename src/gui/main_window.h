#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "app/main_window_logic.h"
#include "app/main_window_view.h"
#include "gui/bar_progress.h"

namespace tolvane {

class WindowSet;

// The main window: the list of ship sets and the one button that drives the launch cycle.
class MainWindow : public QWidget, public MainWindowView {
  public:
    MainWindow(Session& session, WindowSet& windows);

    // The load step: settings, the catalogue, ready to launch.
    void load();
    MainWindowLogic& logic() { return logic_; }

    void setEnabled(Control control, bool enabled) override;
    using QWidget::setEnabled;
    void setLaunchCaption(const std::string& caption) override;
    void setLaunchVisible(bool visible) override;
    Progress& progress() override { return progress_; }
    void clearShipSets() override;
    void addShipSet(const std::string& name) override;
    void markInstalled(int position) override;
    int selectedShipSet() const override;
    int shipSetCount() const override;
    Progress& showReadingWindow() override;
    void hideReadingWindow() override;
    void showPilotLoader() override;
    void showInfo(const ShipSetInfo& info, const LaunchPreview& changes) override;
    void watchGame(RunningProgram game) override;
    bool gameRunning() override;
    bool gameRunningAt(const std::vector<std::string>& imagePaths) override;
    // The options were accepted: the list follows the ship set directory, and a cycle left open
    // there leads to the restore.
    void optionsAccepted(bool folderChanged);
    // Where the window opens: where the player left it (brought onto a screen that still
    // exists), else in the middle of the screen.
    void placeOnScreen();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void layOut();
    // The controls' signals to the logic's handlers, each guarded.
    void connectHandlers();
    QWidget* control(Control control) const;
    // Shows only the entries whose name holds the filter's text, in any letter case.
    void applyFilter();
    bool passesFilter(const QListWidgetItem* item) const;

    WindowSet& windows_;
    Prompts& prompts_;
    SettingsStore& store_;
    QLineEdit* shipSetFilter_;
    QPushButton* infoButton_;
    QPushButton* refreshButton_;
    QProgressBar* progressBar_;
    QPushButton* launchButton_;
    QListWidget* shipSetList_;
    QPushButton* aboutButton_;
    QPushButton* optionsButton_;
    QPushButton* exitButton_;
    BarProgress progress_;
    MainWindowLogic logic_;
    RunningProgram game_;
    QTimer gameWatch_;
};

}  // namespace tolvane
