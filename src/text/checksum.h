#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// A 64-bit FNV-1a checksum of `bytes`, continuing from `seed` (an earlier checksum, or nothing),
// as 16 lower-case hex digits. It finds accidents and edits, not forgeries.
std::string Checksum(std::string_view bytes, std::string_view seed = {});

}  // namespace tolvane
