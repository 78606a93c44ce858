#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

// The game's own text (member names, pilot names, config.cfg, patchinfo.txt) is 8-bit
// Windows-1252. The program's text is UTF-8. Every byte decodes, the five bytes that 1252 leaves
// undefined to the control characters of the same number as Windows does, so that encoding the
// result gives back the same bytes.
std::string Utf8FromWindows1252(std::string_view bytes);

// The Windows-1252 bytes of UTF-8 text, or nothing when a character has no byte there.
std::optional<std::string> Windows1252FromUtf8(std::string_view text);

// Decodes one character of UTF-8 text at `at`, moving `at` past it. A byte that starts no
// well-formed character comes back as U+DC00 plus the byte, so names that are not UTF-8 still
// compare byte for byte.
char32_t NextCodePoint(std::string_view text, std::size_t& at);
void AppendUtf8(std::string& text, char32_t c);

}  // namespace tolvane
