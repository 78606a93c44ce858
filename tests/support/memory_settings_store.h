#pragma once

#include <map>
#include <string>

#include "session/settings_store.h"

namespace tolvane::testing {

class MemorySettingsStore : public SettingsStore {
  public:
    std::string get(const std::string& section, const std::string& key) const override {
        auto found = values.find(section + "/" + key);
        return found == values.end() ? std::string() : found->second;
    }
    void save(const std::string& section, const std::string& key,
              const std::string& value) override {
        values[section + "/" + key] = value;
    }
    std::map<std::string, std::string> values;
};

}  // namespace tolvane::testing
