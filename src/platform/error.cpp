#include "platform/error.h"

#include <cerrno>

namespace tolvane {

std::string describe(const std::string& what, const std::filesystem::path& path,
                     const std::error_code& reason) {
    return what + " " + path.string() + ": " + reason.message();
}

void fail(const std::string& what, const std::filesystem::path& path,
          const std::error_code& reason) {
    throw Error(describe(what, path, reason));
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}

}  // namespace tolvane
