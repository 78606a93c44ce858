#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tolvane {

// The root key HKEY_LOCAL_MACHINE as its 32-bit handle value.
constexpr std::uint32_t kLocalMachine = 0x80000002u;

// A value of the Windows registry, read with the key opened for reading only: its text when it is
// a string, empty for a value of another type, nothing when the key or the value is not there.
// Hosts without a registry have no values.
std::optional<std::string> GetKeyValue(std::uint32_t rootKey, const std::string& keyName,
                                       const std::string& valueName);

}  // namespace tolvane
