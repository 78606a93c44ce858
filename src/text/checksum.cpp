#include "text/checksum.h"

#include <cstdint>
#include <cstdio>

namespace tolvane {

std::string Checksum(std::string_view bytes, std::string_view seed) {
    constexpr std::uint64_t kOffsetBasis = 14695981039346656037ull, kPrime = 1099511628211ull;
    std::uint64_t hash = kOffsetBasis;
    for (std::string_view part : {seed, std::string_view("\n", 1), bytes}) {
        for (char c : part) {
            hash ^= static_cast<unsigned char>(c);
            hash *= kPrime;
        }
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

}  // namespace tolvane
