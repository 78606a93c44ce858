#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace tolvane::testing {

// The visible top-level window with this object name, or nullptr.
inline QWidget* OpenWindow(const char* name) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    }
    return nullptr;
}

template <typename Widget>
Widget* Child(QWidget* window, const char* name) {
    Widget* found = window ? window->findChild<Widget*>(name) : nullptr;
    EXPECT_NE(found, nullptr) << name;
    return found;
}

inline bool Enabled(QWidget* window, const char* name) {
    return Child<QWidget>(window, name)->isEnabled();
}

inline void Press(QWidget* window, const char* name) {
    auto* button = Child<QPushButton>(window, name);
    ASSERT_TRUE(button->isEnabled() && button->isVisible()) << name << " cannot be pressed";
    button->click();
    QApplication::processEvents();
}

inline void ClickItem(QWidget* window, const char* listName, int row) {
    auto* list = Child<QListWidget>(window, listName);
    QListWidgetItem* item = list->item(row);
    ASSERT_NE(item, nullptr) << listName << " has no row " << row;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QApplication::processEvents();
}

}  // namespace tolvane::testing
