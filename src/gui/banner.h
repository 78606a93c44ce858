#pragma once

#include <QPixmap>

namespace tolvane {

// The main window's banner: a starfield with the program's name, drawn at run time, `width` by
// `height` device-independent pixels at `pixelRatio` device pixels each.
QPixmap DrawBanner(int width, int height, qreal pixelRatio);

}  // namespace tolvane
