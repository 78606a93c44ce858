#pragma once

#include <cstdint>
#include <string_view>

namespace tolvane {

// The unsigned little-endian number held in `bytes` (at most 4 of them), as the game's files
// store their counts, offsets and lengths.
inline std::uint32_t LittleEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}

}  // namespace tolvane
