#pragma once

#include <QString>
#include <string>

namespace tolvane {

inline QString qt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string toStd(const QString& text) {
    return text.toStdString();
}

}  // namespace tolvane
