#include "fuzz_input.h"

#include <unistd.h>

#include <fstream>

namespace tolvane::fuzz {

fs::path WriteInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path path =
        fs::temp_directory_path() / ("tolvane-fuzz-" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace tolvane::fuzz
