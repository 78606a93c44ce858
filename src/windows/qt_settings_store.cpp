#include "windows/qt_settings_store.h"

#include "windows/qt_text.h"

namespace tolvane {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, "Tolvane") {}

std::string QtSettingsStore::get(const std::string& section, const std::string& key) const {
    return ToStdString(settings_.value(ToQString(section + "/" + key)).toString());
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    settings_.setValue(ToQString(section + "/" + key), ToQString(value));
    settings_.sync();
}

}  // namespace tolvane
