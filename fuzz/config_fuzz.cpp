// The config.cfg first-line rewrite on any text: only the first line ever changes.
#include "fuzz_input.h"
#include "pilots/config_cfg.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string config = fuzz::Text(data, size);
    std::string pilot = PilotInConfig(config);
    std::string rewritten = WithPilot(config, pilot);
    std::size_t end = config.find_first_of("\r\n");
    std::size_t newEnd = rewritten.find_first_of("\r\n");
    if (end != std::string::npos && rewritten.substr(newEnd) != config.substr(end))
        __builtin_trap();
    if (PilotInConfig(WithPilot(config, "Nova")) != "Nova")
        __builtin_trap();
    return 0;
}
