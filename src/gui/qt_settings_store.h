#pragma once

#include <QSettings>
#include <memory>

#include "session/settings_store.h"

namespace tolvane {

// The per-user settings of "Tolvane", each section a group: on Windows the registry key
// HKEY_CURRENT_USER\Software\Tolvane (so "Settings/XWA Exe" is the value "XWA Exe" of
// HKCU\Software\Tolvane\Settings), elsewhere the INI file Tolvane.ini in the XDG configuration
// folder. A non-empty `iniFile` keeps them in that file instead, apart from the player's own.
class QtSettingsStore : public SettingsStore {
  public:
    explicit QtSettingsStore(const QString& iniFile = {});
    std::string get(const std::string& section, const std::string& key) const override;
    void save(const std::string& section, const std::string& key,
              const std::string& value) override;

  private:
    std::unique_ptr<QSettings> settings_;
};

}  // namespace tolvane
