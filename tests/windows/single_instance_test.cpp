#include "windows/single_instance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

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

// What a run that died leaves: the lock file, naming whatever process id it had, ours among them
// (Wine gives a restarted program the lowest free id, often the dead one's).
TEST(SingleInstanceTest, ALockLeftByACrashedRunDoesNotBlock) {
    TempFolder folder;
    for (const std::string& left :
         {std::string("2147483000\ntests_windows\nhost\n"),
          std::to_string(QCoreApplication::applicationPid()) + "\ntests_windows\nhost\n"}) {
        WriteFileBytes(folder / "Tolvane.lock", left);
        EXPECT_TRUE(SingleInstance(QString::fromStdString(folder.path().string())).acquired());
    }
}

}  // namespace
}  // namespace tolvane::testing
