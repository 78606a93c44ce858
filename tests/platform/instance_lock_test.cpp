#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <memory>

#include "support/sample_world.h"

namespace tolvane::testing {
namespace {

using State = InstanceLock::State;

// Only a lock held by another live holder keeps a second start out, and says so; a lock file that
// cannot be opened is a failure with its reason, never taken for another Tolvane.
TEST(InstanceLockTest, OnlyALiveHolderKeepsASecondStartOut) {
    TempFolder folder;
    fs::path file = folder / "Tolvane.lock";
    auto first = std::make_unique<InstanceLock>(file);
    EXPECT_EQ(first->state(), State::Acquired);
    EXPECT_EQ(InstanceLock(file).state(), State::HeldElsewhere);
    first.reset();
    EXPECT_EQ(InstanceLock(file).state(), State::Acquired);

    InstanceLock inAFolderThatIsNot(folder / "Tolvane.lock" / "Tolvane.lock");
    EXPECT_EQ(inAFolderThatIsNot.state(), State::Failed);
    EXPECT_NE(inAFolderThatIsNot.failure().find("Tolvane.lock"), std::string::npos);
}

// What a run that died leaves: the lock file, naming whatever process id it had, ours among them
// (Wine gives a restarted program the lowest free id, often the dead one's).
TEST(InstanceLockTest, ALockLeftByACrashedRunDoesNotBlock) {
    TempFolder folder;
    for (const std::string& left :
         {std::string("2147483000\ntolvane\nhost\n"), std::string("1\ntolvane\nhost\n")}) {
        WriteFileBytes(folder / "Tolvane.lock", left);
        EXPECT_EQ(InstanceLock(folder / "Tolvane.lock").state(), State::Acquired);
    }
}

}  // namespace
}  // namespace tolvane::testing
