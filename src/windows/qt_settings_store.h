#pragma once

#include <QSettings>

#include "session/settings_store.h"

namespace tolvane {

// The per-user settings of "Tolvane": HKCU\Software\Tolvane on Windows, an INI file in the XDG
// configuration folder elsewhere.
class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore();
    std::string get(const std::string& section, const std::string& key) const override;
    void save(const std::string& section, const std::string& key,
              const std::string& value) override;

  private:
    mutable QSettings settings_;
};

}  // namespace tolvane
