#pragma once

#include <QFile>
#include <QString>
#include <string>

#include "text/fs_alias.h"

namespace tolvane {

// The core's text is UTF-8.
inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

// A path from Qt, as the file system names it: wide on Windows, in the file-name encoding
// elsewhere; never through a narrow string in some other code page.
inline fs::path ToPath(const QString& path) {
#ifdef Q_OS_WIN
    return fs::path(path.toStdWString());
#else
    return fs::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace tolvane
