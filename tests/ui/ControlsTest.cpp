#include "ui/Binding.h"
#include "ui/Controls.h"
#include "ui/Timer.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

TEST(Controls, ObserversSeeEveryChangeButNotRepeats) {
    ui::Label label;
    int changes = 0;
    label.subscribe([&] { ++changes; });
    label.setCaption("A");
    label.setCaption("A");
    label.setBackColor(ui::colour::Red);
    EXPECT_EQ(changes, 2);
}

TEST(Controls, ListIndexOutsideTheListSelectsNothing) {
    ui::ListBox list;
    list.setItems({"a", "b"});
    list.setListIndex(1);
    EXPECT_EQ(list.text(), "b");
    list.setListIndex(5);
    EXPECT_EQ(list.listIndex(), -1);
    list.setListIndex(1);
    list.removeItem(0);
    EXPECT_EQ(list.listIndex(), -1);
}

TEST(Controls, DisabledTimerDoesNotRunItsHandler) {
    ui::Timer timer(25, false);
    int ticks = 0;
    timer.setHandler([&] { ++ticks; });
    timer.tick();
    timer.setEnabled(true);
    timer.tick();
    EXPECT_EQ(ticks, 1);
}

TEST(Binding, AccessKeyMarksAreDroppedFromPlainCaptions) {
    EXPECT_EQ(ui::plainCaption("Analisi Gas && Fumi"), "Analisi Gas & Fumi");
    EXPECT_EQ(ui::plainCaption("&OK"), "OK");
    EXPECT_EQ(ui::plainCaption("trailing&"), "trailing");
}

TEST(Binding, ColoursAreBlueGreenRed) {
    EXPECT_EQ(ui::toQColor(ui::colour::Red), QColor(255, 0, 0));
    EXPECT_EQ(ui::toQColor(ui::colour::Yellow), QColor(255, 255, 0));
    EXPECT_EQ(ui::toQColor(ui::colour::Orange), QColor(255, 128, 0));
    EXPECT_FALSE(ui::toQColor(ui::colour::SystemFace).isValid());
}

TEST(Binding, WidgetsFollowStateAndEditsFlowBack) {
    ui::TextBox box;
    ui::ListBox list;
    list.setItems({"uno", "due"});
    {
        QLineEdit edit;
        QComboBox combo;
        ui::bind(box, &edit);
        ui::bind(list, &combo);
        box.setText("AB123CD");
        EXPECT_EQ(edit.text(), "AB123CD");
        edit.setText("X");
        emit edit.textEdited("X");
        EXPECT_EQ(box.text(), "X");
        list.setListIndex(1);
        EXPECT_EQ(combo.currentIndex(), 1);
    }
    // The widgets are gone: a change must not reach them (the sanitizer build catches a dangling binding).
    box.setText("after");
    list.addItem("tre");
    EXPECT_EQ(list.listCount(), 3);
}
