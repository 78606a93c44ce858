// The information text and the game's code page on any bytes: the round trip keeps every byte.
#include "fuzz_input.h"
#include "packages/patch_info.h"
#include "text/code_page.h"
#include "text/name_key.h"

using namespace tolvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text = fuzz::Text(data, size);
    ShipSetListName(text);
    ParseShipSetInfo(text);
    if (Windows1252FromUtf8(Utf8FromWindows1252(text)) != text)
        __builtin_trap();
    NameKey(text);
    return 0;
}
