#include "text/name_key.h"

#include <gtest/gtest.h>

#include "text/code_page.h"

namespace tolvane::testing {
namespace {

// Pairs of names that Windows takes for one file, and pairs it keeps apart.
TEST(NameKeyTest, NamesThatReachOneFileShareAKey) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"DATA.LFD", "data.lfd", true},
        {"DATA.LFD.", "DATA.LFD", true},
        {"DATA.LFD . .", "data.lfd", true},
        {"XWINGALLIANCE.EXE ", "XWingAlliance.exe", true},
        {"wave /x.wav", "WAVE\\X.WAV", true},
        {"WAVE.\\X.WAV", "wave\\x.wav", true},
        {"\xC3\x89mile.lfd", "\xC3\xA9mile.LFD", true},  // É and é
        {"\xC3\xBF", "\xC5\xB8", true},                  // ÿ and Ÿ
        {"\xC5\xA1koda", "\xC5\xA0KODA", true},          // š and Š
        {"\xCF\x89\xCE\xBC\xCE\xB5\xCE\xB3\xCE\xB1", "\xCE\xA9\xCE\x9C\xCE\x95\xCE\x93\xCE\x91",
         true},                           // ωμεγα and ΩΜΕΓΑ
        {"\xD0\xB6", "\xD0\x96", true},   // ж and Ж
        {"\xD1\x91", "\xD0\x81", true},   // ё and Ё
        {"\xD1\x92", "\xD0\x82", true},   // ђ and Ђ
        {"\xD1\x9F", "\xD0\x8F", true},   // џ and Џ
        {"\xD0\xB0", "\xD0\x90", true},   // а and А, the first of the block
        {"\xD1\x8F", "\xD0\xAF", true},   // я and Я, the last
        {"\xD1\x91", "\xD0\x95", false},  // ё is not Е
        {"DATA.LFD", "DATA.LF", false},
        {".DATA", "DATA", false},
        {"a b", "ab", false},
        {"\xC3\x9F", "SS", false},        // ß stays ß
        {"\xC3\xB7", "\xC3\x97", false},  // ÷ is no letter
        {"\xFF", "\xC3\xBF", false},      // a byte that is not UTF-8 is not ÿ
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameKey(c.a) == NameKey(c.b), c.same) << c.a << " / " << c.b;
}

TEST(NameKeyTest, DevicesAreKnownInEverySpelling) {
    for (const char* device : {"CON", "con", "Prn", "AUX.txt", "nul.tar.gz", "COM1", "com9.dat",
                               "LPT1", "lpt9.x", "CON ", "COM\xC2\xB9"}) {
        EXPECT_TRUE(IsDeviceName(device)) << device;
    }
    for (const char* name : {"CONSOLE", "COM", "COM0", "COM10", "LPT", "NULL.txt", "xcon", "AUX2"})
        EXPECT_FALSE(IsDeviceName(name)) << name;
}

}  // namespace
}  // namespace tolvane::testing
