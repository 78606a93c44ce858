#include "windows/single_instance.h"

#include <gtest/gtest.h>

#include <QSysInfo>

#include "support/temp_folder.h"

namespace tolvane::testing {
namespace {

TEST(SingleInstanceTest, ASecondStartIsRefusedUntilTheFirstEnds) {
    TempFolder folder;
    QString path = QString::fromStdString(folder.path().string());
    auto first = std::make_unique<SingleInstance>(path);
    EXPECT_TRUE(first->acquired());
    EXPECT_FALSE(SingleInstance(path).acquired());
    first.reset();
    EXPECT_TRUE(SingleInstance(path).acquired());
}

TEST(SingleInstanceTest, ALockLeftByACrashedRunDoesNotBlock) {
#ifdef _WIN32
    GTEST_SKIP() << "under Wine, QLockFile does not take a lock naming a made-up process for stale";
#endif
    TempFolder folder;
    // What a run that died leaves: the lock naming a process that no longer exists.
    WriteFileBytes(folder / "Tolvane.lock", "2147483000\ntests_windows\n" +
                                                QSysInfo::machineHostName().toStdString() + "\n");
    EXPECT_TRUE(SingleInstance(QString::fromStdString(folder.path().string())).acquired());
}

}  // namespace
}  // namespace tolvane::testing
