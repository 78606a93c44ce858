#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "gui/single_instance.h"
#include "support/sample_world.h"
#include "support/waiting.h"

namespace tolvane::testing {
namespace {

// A second start says Tolvane is already running, and brings the running one to the front.
TEST(SingleInstanceTest, ASecondStartBringsTheRunningOneToTheFront) {
    TempFolder folder;
    QString path = QString::fromStdString(folder.path().string());
    SingleInstance running(path);
    ASSERT_TRUE(running.lock().acquired());
    int asked = 0;
    QObject::connect(&running, &SingleInstance::showRequested, [&] { ++asked; });
    SingleInstance second(path);
    ASSERT_EQ(second.lock().state(), InstanceLock::State::HeldElsewhere);
    second.askTheRunningOneToShow();
    EXPECT_TRUE(
        WaitFor([&] { return asked > 0; }, std::chrono::seconds(5), [] { QTest::qWait(10); }));
}

}  // namespace
}  // namespace tolvane::testing
