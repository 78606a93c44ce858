#pragma once

#include <QLineEdit>
#include <QTextEdit>
#include <QWidget>

#include "packages/patch_info.h"

namespace tolvane {

// frmInfo: a ship set's name, author, contacts and description.
class InfoWindow : public QWidget {
  public:
    InfoWindow();
    void fill(const ShipSetInfo& info);

  private:
    QLineEdit* lblName_;
    QLineEdit* lblEmail_;
    QLineEdit* lblWebsite_;
    QTextEdit* txtInfo_;
};

}  // namespace tolvane
