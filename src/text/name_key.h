#pragma once

#include <string>
#include <string_view>

namespace tolvane {

// The game's executable, by the key every spelling of its name has.
inline constexpr const char* kGameExecutableKey = "XWINGALLIANCE.EXE";

// Windows reaches one file through many spellings: letter case is ignored (beyond ASCII), the
// trailing dots and spaces of each component are dropped, and "/" and "\" are both separators.
// NameKey maps a UTF-8 name to the one key Windows files it under, so that two names with one
// key are one file; everything that asks "is this the same file?" compares keys.
std::string NameKey(std::string_view name);

// A component as Windows creates it: without its trailing dots and spaces.
std::string_view WindowsComponent(std::string_view component);

// True for a component that Windows takes for a device in any folder: CON, PRN, AUX, NUL,
// COM1 to COM9 and LPT1 to LPT9, in any letter case, with or without an extension.
bool IsDeviceName(std::string_view component);

// The capital of a letter, as Windows folds names, for the scripts of its European code pages
// (Latin, Greek and Cyrillic); any other character is its own capital.
char32_t CapitalOf(char32_t c);

}  // namespace tolvane
