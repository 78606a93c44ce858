#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/error.h"
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
        if (key == failingKey)
            throw Error("Could not save " + key);
        values[section + "/" + key] = value;
        if (onSave)
            onSave();
    }
    std::map<std::string, std::string> values;
    std::function<void()> onSave;  // after each value kept
    std::string failingKey;        // a setting the store cannot keep, as a read-only registry
};

}  // namespace tolvane::testing
