#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTextEdit>
#include <QWidget>

#include "launch/launch_preview.h"
#include "packages/patch_info.h"

namespace tolvane {

// The information window: a ship set's name, author, contacts and description, and what its launch
// would change in the game folder.
class InfoWindow : public QWidget {
  public:
    InfoWindow();
    void fill(const ShipSetInfo& info, const LaunchPreview& changes);

  private:
    QLineEdit* authorField_;
    QLineEdit* emailField_;
    QLineEdit* websiteField_;
    QTextEdit* descriptionText_;
    QLabel* changesSummary_;
    QListView* changedPaths_;
    QStringListModel* changedPathsModel_;
};

}  // namespace tolvane
