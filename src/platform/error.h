#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace tolvane {

// A failure worth telling the player about. Its text is already in the program's own words and
// names the file and the reason, so the one place that shows it needs to add nothing.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "<what> <path>: <reason>", for example "Could not open C:\Ships\Blue.gob: Access is denied".
std::string Describe(const std::string& what, const std::filesystem::path& path,
                     const std::error_code& reason);
[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path,
                       const std::error_code& reason);
// The error of the last failed C library call.
std::error_code LastError();

}  // namespace tolvane
