#include "gui/qt_settings_store.h"

#include "gui/qt_text.h"
#include "platform/error.h"
#include "session/settings.h"

namespace tolvane {

namespace {

QSettings* OpenSettings(const QString& iniFile) {
    if (!iniFile.isEmpty())
        return new QSettings(iniFile, QSettings::IniFormat);
#ifdef Q_OS_WIN
    return new QSettings("HKEY_CURRENT_USER\\Software\\Tolvane", QSettings::NativeFormat);
#else
    return new QSettings(QSettings::IniFormat, QSettings::UserScope, kProgramTitle);
#endif
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& iniFile) : settings_(OpenSettings(iniFile)) {}

std::string QtSettingsStore::get(const std::string& section, const std::string& key) const {
    return ToStdString(settings_->value(ToQString(section + "/" + key)).toString());
}

void QtSettingsStore::save(const std::string& section, const std::string& key,
                           const std::string& value) {
    settings_->setValue(ToQString(section + "/" + key), ToQString(value));
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        throw Error("Tolvane could not save the setting \"" + key + "\" in " +
                    ToStdString(settings_->fileName()) +
                    (settings_->status() == QSettings::AccessError ? ": access is denied"
                                                                   : ": the file is damaged"));
    }
}

}  // namespace tolvane
