#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/startup.h"
#include "gui/main_window.h"
#include "gui/window_set.h"
#include "support/sample_world.h"
#include "support/stand_in_game.h"
#include "widgets.h"

namespace tolvane::testing {
namespace {

// Every caption fits its control, under the font the desktop chose, however large.
void ExpectTextsWhole(QWidget* window) {
    ASSERT_NE(window, nullptr);
    QApplication::processEvents();
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        QString text = button->text().remove('&');
        EXPECT_GE(button->contentsRect().width(), button->fontMetrics().horizontalAdvance(text))
            << window->objectName().toStdString() << ": " << text.toStdString();
    }
    for (QCheckBox* box : window->findChildren<QCheckBox*>()) {
        EXPECT_GE(box->width(), box->sizeHint().width())
            << window->objectName().toStdString() << ": " << box->text().toStdString();
    }
    for (QGroupBox* frame : window->findChildren<QGroupBox*>()) {
        EXPECT_GE(frame->width(), frame->minimumSizeHint().width())
            << window->objectName().toStdString() << ": " << frame->title().toStdString();
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->pixmap().isNull()) {
            EXPECT_GE(label->width(), label->sizeHint().width())
                << window->objectName().toStdString() << ": " << label->text().toStdString();
        }
    }
    EXPECT_FALSE(window->windowIcon().isNull()) << window->objectName().toStdString();
}

class LayoutTest : public ::testing::TestWithParam<int> {
  protected:
    LayoutTest() : savedFont_(QApplication::font()) {
        QFont font = savedFont_;
        font.setPointSize(GetParam());
        QApplication::setFont(font);
        WriteGob(game.shipSets() / "A.gob", {{"PATCHINFO.TXT", PatchInfoText("Name: Alpha")}});
    }
    ~LayoutTest() override { QApplication::setFont(savedFont_); }

    StandInGame game;

  private:
    QFont savedFont_;
};

TEST_P(LayoutTest, NoWindowCutsAText) {
    WindowSet windows(game.session);
    OpenFirstWindow(game.session, windows);
    QWidget* main = OpenWindow("mainWindow");
    ExpectTextsWhole(main);
    ClickItem(main, "shipSetList", 0);
    Press(main, "infoButton");
    ExpectTextsWhole(OpenWindow("infoWindow"));
    windows.showAbout();
    ExpectTextsWhole(OpenWindow("aboutBox"));
    windows.showOptionsDialog();
    ExpectTextsWhole(OpenWindow("optionsDialog"));
    windows.showPilotLoader();
    ExpectTextsWhole(OpenWindow("pilotLoader"));
}

INSTANTIATE_TEST_SUITE_P(FontSizes, LayoutTest, ::testing::Values(9, 14, 22));

TEST(FocusOrderTest, TheKeyboardMovesThroughTheMainWindowAsItIsSeen) {
    StandInGame game;
    WindowSet windows(game.session);
    QWidget* main = &windows.mainWindow();
    std::vector<std::string> order;
    QWidget* start = Child<QWidget>(main, "infoButton");
    QWidget* widget = start;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order.push_back(widget->objectName().toStdString());
        widget = widget->nextInFocusChain();
    } while (widget != start);
    EXPECT_EQ(order, (std::vector<std::string>{"infoButton", "refreshButton", "launchButton",
                                               "shipSetFilter", "shipSetList", "aboutButton",
                                               "optionsButton", "exitButton"}));
    EXPECT_EQ(main->focusWidget(), Child<QWidget>(main, "shipSetList")) << "the list has focus";
}

}  // namespace
}  // namespace tolvane::testing
