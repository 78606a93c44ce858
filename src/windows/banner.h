#pragma once

#include <QPixmap>

namespace tolvane {

// The main window's banner: a starfield with the program's name, drawn at run time.
QPixmap DrawBanner(int width, int height);

}  // namespace tolvane
