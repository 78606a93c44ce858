#include "platform/error.h"

#include <cerrno>

#include "text/path_text.h"

namespace tolvane {

std::string Describe(const std::string& what, const std::filesystem::path& path,
                     const std::error_code& reason) {
    return what + " " + DisplayPath(path) + ": " + reason.message();
}

void Fail(const std::string& what, const std::filesystem::path& path,
          const std::error_code& reason) {
    throw Error(Describe(what, path, reason));
}

std::error_code LastError() {
    return {errno, std::generic_category()};
}

}  // namespace tolvane
