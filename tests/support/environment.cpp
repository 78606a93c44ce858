#include "support/environment.h"

#include <cstdlib>

namespace tolvane::testing {
namespace {

void Set(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.value_or("").c_str());  // an empty value removes it
#else
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
#endif
}

}  // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, const std::string& value)
    : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str()))
        saved_ = old;
    Set(name_, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    Set(name_, saved_);
}

}  // namespace tolvane::testing
