#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/main_window_view.h"
#include "support/fake_progress.h"

namespace tolvane::testing {

// The main window as the handlers see it, keeping every state it is put in.
class FakeMainWindow : public MainWindowView {
  public:
    FakeMainWindow();
    void setEnabled(Control control, bool enabled) override { enabled_[control] = enabled; }
    bool enabled(Control control) const { return enabled_.at(control); }
    void setLaunchCaption(const std::string& caption) override { caption_ = caption; }
    std::string launchCaption() const { return caption_; }
    void setLaunchVisible(bool visible) override { launchVisible = visible; }
    Progress& progress() override { return progress_; }
    void clearShipSets() override { shipSets.clear(); }
    void addShipSet(const std::string& name) override { shipSets.push_back(name); }
    void markInstalled(int position) override { installed = position; }
    int selectedShipSet() const override { return selected; }
    int shipSetCount() const override { return static_cast<int>(shipSets.size()); }
    Progress& showReadingWindow() override { return reading_; }
    void hideReadingWindow() override {}
    void showPilotLoader() override { ++pilotLoaderShown; }
    void showInfo(const ShipSetInfo&, const LaunchPreview&) override {}
    void watchGame(RunningProgram started) override { game = std::move(started); }
    bool gameRunning() override { return game.running(); }
    bool gameRunningAt(const std::vector<std::string>&) override {
        return game.running() || earlierGameRunning;
    }

    FakeProgress& bar() { return progress_; }

    std::vector<std::string> shipSets;
    int selected = -1;
    int installed = -1;
    bool launchVisible = true;
    int pilotLoaderShown = 0;
    RunningProgram game;
    bool earlierGameRunning = false;  // a game that an earlier run started

  private:
    std::map<Control, bool> enabled_;
    std::string caption_ = kLaunchCaption;
    FakeProgress progress_;
    FakeProgress reading_;
};

}  // namespace tolvane::testing
