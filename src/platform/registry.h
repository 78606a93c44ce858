#pragma once

#include <cstdint>
#include <string>

namespace tolvane {

// The root key HKEY_LOCAL_MACHINE as its 32-bit handle value.
constexpr std::uint32_t kLocalMachine = 0x80000002u;

// Reads a string value of the Windows registry into `value` (empty on failure). The key is
// opened for reading only. Hosts without a registry always report false.
bool GetKeyValue(std::uint32_t rootKey, const std::string& keyName, const std::string& valueName,
                 std::string& value);

}  // namespace tolvane
