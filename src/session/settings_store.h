#pragma once

#include <string>

namespace tolvane {

// The per-user string settings of application "Tolvane", by section and key. A key that was
// never written reads as the empty string.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string get(const std::string& section, const std::string& key) const = 0;
    // Throws Error naming the setting and the reason when the value cannot be kept.
    virtual void save(const std::string& section, const std::string& key,
                      const std::string& value) = 0;
};

}  // namespace tolvane
