#include <gtest/gtest.h>

#include "packages/patch_info.h"
#include "platform/error.h"
#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

TEST(ShipSetListNameTest, TheFirstItemLosesItsLabel) {
    const std::pair<std::string, std::string> cases[] = {
        {"Name: Blue Fleet\r\n", "Blue Fleet"},
        {"Name:Blue Fleet\r\n", "Blue Fleet"},
        {"Name:  Blue Fleet\r\n", " Blue Fleet"},
        {"Tag: Fleet pack, second edition\r\n", "Fleet pack"},
        {"abc\r\n", "abc"},
        {"\" ab\"\r\n", "ab"},
        {"Name:\r\n", ""},
        {"\r\nName: second line\r\n", ""},
        {"\"Name: Quoted, with comma\"\r\n", "Quoted, with comma"},
        {"\"Name: Unclosed\r\nAuthor: \"Red\" Nine\r\n", "Unclosed"},
        {"", "Patchinfo.txt not found"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ShipSetListName(text), expected) << "first line \"" << text << "\"";
    EXPECT_EQ(ShipSetListName(std::nullopt), "Patchinfo.txt not found");
}

// A damaged size must cost neither time nor memory: the text is read only as far as it can
// matter, and only from inside the file.
TEST(ReadPatchInfoTest, TheTextIsReadUpToACapAndNeverPastTheFile) {
    TempFolder folder;
    WriteGob(folder / "Huge.gob",
             {{"PATCHINFO.TXT", "Name: x", std::nullopt, std::nullopt, 0xF0000000u}});
    EXPECT_THROW(ReadPatchInfo(folder / "Huge.gob"), Error);
    WriteGob(folder / "Long.gob", {{"PATCHINFO.TXT", std::string(100 * 1024, 'a')}});
    EXPECT_EQ(ReadPatchInfo(folder / "Long.gob"), std::string(64 * 1024, 'a'));
}

TEST(ParseShipSetInfoTest, ShortTextsLeaveTheMissingValuesEmpty) {
    ShipSetInfo info = ParseShipSetInfo("Name: Solo\rAuthor\nstill line two\r");
    EXPECT_EQ(info.name, "Solo");
    // A line feed alone does not end a line, so line 2 is "Author\nstill line two".
    EXPECT_EQ(info.author, "still line two");
    EXPECT_EQ(info.email, "");
    EXPECT_EQ(info.description, "");
}

}  // namespace
}  // namespace tolvane::testing
