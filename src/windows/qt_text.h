#pragma once

#include <QString>
#include <string>

namespace tolvane {

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

}  // namespace tolvane
