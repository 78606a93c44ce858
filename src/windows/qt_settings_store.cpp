#include "windows/qt_settings_store.h"

#include "windows/qt_text.h"

namespace tolvane {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, "Tolvane") {}

std::string QtSettingsStore::get(const std::string& section, const std::string& key) const {
    return toStd(settings_.value(qt(section + "/" + key)).toString());
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    settings_.setValue(qt(section + "/" + key), qt(value));
    settings_.sync();
}

}  // namespace tolvane
