#pragma once

#include <optional>
#include <string>

namespace tolvane::testing {

// Sets an environment variable for the life of the object, then puts back what was there.
class ScopedEnvironment {
  public:
    ScopedEnvironment(std::string name, const std::string& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::string name_;
    std::optional<std::string> saved_;
};

}  // namespace tolvane::testing
