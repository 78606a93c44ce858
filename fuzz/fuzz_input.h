#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "text/fs_alias.h"

namespace tolvane::fuzz {

// The readers take files, as the program gives them; each input becomes one.
fs::path WriteInput(const std::uint8_t* data, std::size_t size);

inline std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

}  // namespace tolvane::fuzz
