// A copy is known again by its size and time. On a FAT drive (a USB stick, an SD card in a
// handheld) times are local: a change of daylight saving between the launch and the restore moves
// every one by an hour, and each copy must still be known, there and nowhere else.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/path_checks.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"

namespace tolvane::testing {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// A FAT image mounted in user space at a folder for as long as it lives, with the clock of a time
// zone: a mount in another zone sees every time shifted, as a change of daylight saving does.
class FatDrive {
  public:
    FatDrive(fs::path image, fs::path at) : image_(std::move(image)), at_(std::move(at)) {}
    ~FatDrive() { unmount(); }
    static bool Possible() {
        return Run("command -v fusefat && command -v mkfs.vfat && test -c /dev/fuse");
    }
    bool format() { return Run("mkfs.vfat -C '" + image_.string() + "' 4096"); }
    bool mount(const std::string& zone) {
        fs::create_directories(at_);
        mounted_ =
            Run("TZ=" + zone + " fusefat -o rw+ '" + image_.string() + "' '" + at_.string() + "'");
        return mounted_;
    }
    void unmount() {
        if (mounted_)
            Run("fusermount -u '" + at_.string() + "'");
        mounted_ = false;
    }

  private:
    static bool Run(const std::string& command) {
        return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
    }
    fs::path image_, at_;
    bool mounted_ = false;
};

TEST(FileStampsTest, ACopyOnAFatDriveIsKnownAfterTheClocksChange) {
    if (!FatDrive::Possible())
        GTEST_SKIP() << "needs fusefat, mkfs.vfat and /dev/fuse";
    TempFolder folder;
    FatDrive drive(folder / "fat.img", folder / "Stick");
    ASSERT_TRUE(drive.format());
    ASSERT_TRUE(drive.mount("UTC"));
    fs::path copy = folder / "Stick" / "DATA.LFD";
    WriteFileBytes(copy, "original data");
    std::string taken = FileStamp(copy);
    EXPECT_TRUE(StillTheFileOf(copy, taken));
    drive.unmount();
    ASSERT_TRUE(drive.mount("UTC-1"));  // the same drive, its clock an hour on
    EXPECT_NE(FileStamp(copy), taken);
    EXPECT_TRUE(StillTheFileOf(copy, taken));
    WriteFileBytes(copy, "other data of a size of its own");
    EXPECT_FALSE(StillTheFileOf(copy, taken));

    // Elsewhere times are universal: an hour apart is another file.
    fs::path here = folder / "DATA.LFD";
    WriteFileBytes(here, "original data");
    std::string stamp = FileStamp(here);
    fs::last_write_time(here, fs::last_write_time(here) + std::chrono::hours(1));
    EXPECT_FALSE(StillTheFileOf(here, stamp));
}
#endif

}  // namespace
}  // namespace tolvane::testing
