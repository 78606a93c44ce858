#include "text/name_key.h"

#include "text/code_page.h"
#include "text/name_matching.h"

namespace tolvane {

char32_t CapitalOf(char32_t c) {
    if (c >= U'a' && c <= U'z')
        return c - 0x20;
    if (c < 0xE0)
        return c;
    if (c <= 0xFE)
        return c == 0xF7 ? c : c - 0x20;  // à to þ, but not the division sign
    if (c == 0xFF)
        return 0x178;  // ÿ
    // Latin Extended-A pairs a capital with the small letter after it, in two alternations.
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : c - 1;
    if (c == 0x192)
        return 0x191;  // ƒ
    if (c >= 0x3B1 && c <= 0x3C9)
        return c == 0x3C2 ? 0x3A3 : c - 0x20;  // Greek, final sigma too
    if (c >= 0x430 && c <= 0x44F)
        return c - 0x20;  // Cyrillic
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    return c;
}

std::string_view WindowsComponent(std::string_view component) {
    std::size_t end = component.find_last_not_of(". ");
    return component.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

bool IsDeviceName(std::string_view component) {
    std::string_view base = component.substr(0, component.find('.'));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    std::string upper = UpperAscii(base);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    if (!upper.starts_with("COM") && !upper.starts_with("LPT"))
        return false;
    std::string_view number = std::string_view(upper).substr(3);
    // Windows takes the superscript digits for the port numbers too.
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

std::string NameKey(std::string_view name) {
    std::string key;
    key.reserve(name.size());
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find_first_of("\\/", start);
        std::string_view component =
            WindowsComponent(name.substr(start, end == std::string_view::npos ? end : end - start));
        for (std::size_t at = 0; at < component.size();)
            AppendUtf8(key, CapitalOf(NextCodePoint(component, at)));
        if (end == std::string_view::npos)
            return key;
        key += '\\';
        start = end + 1;
    }
}

}  // namespace tolvane
