#pragma once

#include <QPointer>
#include <memory>

#include "app/startup.h"
#include "gui/dialog_keys.h"
#include "session/session.h"

namespace tolvane {

class MainWindow;
class OptionsDialog;
class AboutBox;
class InfoWindow;
class PilotLoader;
class ReadingWindow;

// Every window exists once and is created on first use. Windows that unload when closed
// (options, about, information, pilot loader) are made afresh the next time.
class WindowSet : public StartupWindows {
  public:
    explicit WindowSet(Session& session);
    ~WindowSet() override;

    MainWindowLogic& loadMainWindow() override;
    void showMainWindow() override;
    void showOptionsDialog() override;

    MainWindow& mainWindow();
    bool hasMainWindow() const { return main_ != nullptr; }
    ReadingWindow& readingWindow();
    InfoWindow& infoWindow();
    void showAbout();
    // The pilot loader opens beside the main window, where the player looks.
    void showPilotLoader();
    // Brings the window the player works in to the front: the options while they are open, else
    // the main window.
    void bringToFront();

    // The main window's unload step: every other window closes with it.
    void closeAllBesideMain();
    bool closingAll() const { return closingAll_; }

  private:
    DialogKeys keys_;
    Session& session_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<ReadingWindow> reading_;
    QPointer<OptionsDialog> options_;
    QPointer<AboutBox> about_;
    QPointer<InfoWindow> info_;
    QPointer<PilotLoader> pilotLoader_;
    bool closingAll_ = false;
};

}  // namespace tolvane
