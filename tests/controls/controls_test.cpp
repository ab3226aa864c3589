// The controls' event rules: a value set from code runs the handler before the setter returns,
// the same value runs nothing, list edits run nothing.
// Checks: list_box.cpp, check_box.cpp, scroll_bar.cpp (src/controls).
#include "controls/check_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"

#include <gtest/gtest.h>

// A new selection from code runs Click before the setter returns (the same one, or one out of
// range, runs nothing); adding, renaming, removing and clearing run nothing. A removed selection
// leaves none, so selecting the entry that moved into its place opens it.
TEST(ListBoxEvents, CodeSelectionRunsClickAndEditsRunNothing)
{
    ListBox list;
    for (const char* text : {"a", "b", "c", "d"})
        list.AddItem(text);
    QStringList opened;
    QObject::connect(&list, &ListBox::Click, [&] { opened << list.List(list.ListIndex()); });
    for (int index : {1, 1, 5, -2, 3})
        list.setListIndex(index);
    EXPECT_EQ(opened, QStringList({"b", "d"}));

    list.RemoveItem(0);
    EXPECT_EQ(list.ListIndex(), 2);  // the selected entry keeps its selection as it moves up
    list.setList(2, "D");
    list.AddItem("e");
    list.RemoveItem(2);
    EXPECT_EQ(std::tuple(list.ListIndex(), opened), std::tuple(-1, QStringList({"b", "d"})));
    list.setListIndex(2);  // "e" moved into index 2
    list.Clear();
    EXPECT_EQ(std::tuple(list.ListIndex(), opened), std::tuple(-1, QStringList({"b", "d", "e"})));
}

// A value set from code runs Click before the setter returns (the same value runs nothing); the
// grayed state comes from code only: the user's clicks go between clear and ticked.
TEST(CheckBoxEvents, CodeRunsClickAtOnceAndUserClicksNeverGray)
{
    CheckBox box("Loop");
    QList<int> seen;
    QObject::connect(&box, &CheckBox::Click, [&] { seen << box.Value(); });
    for (int value : {1, 1, 2, 0, 0})
        box.setValue(value);
    EXPECT_EQ(seen, (QList<int>{1, 2, 0}));
    box.click();
    box.click();
    box.setValue(2);
    seen.clear();
    for (int i = 0; i < 4; ++i)
        box.click();
    EXPECT_EQ(seen, (QList<int>{1, 0, 1, 0}));
}

// Value, Max and an arrow run Change once per new value; a drag runs Scroll at each step and
// Change once at the release, and only if it moved.
TEST(ScrollBarEvents, ChangeOncePerNewValueAndOnceAtTheEndOfAMovingDrag)
{
    ScrollBar bar;
    bar.setMax(100);
    bar.setSmallChange(5);
    QList<int> seen;
    int scrolls = 0;
    QObject::connect(&bar, &ScrollBar::Change, [&] { seen << bar.Value(); });
    QObject::connect(&bar, &ScrollBar::Scroll, [&] { ++scrolls; });
    bar.setValue(80);
    bar.setValue(80);
    bar.setMax(50);  // below the value
    bar.setMax(200);  // the value stays
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(seen, (QList<int>{80, 50, 55}));

    seen.clear();
    scrolls = 0;
    bar.setSliderDown(true);
    for (int position : {10, 20, 30})
        bar.setSliderPosition(position);
    EXPECT_EQ(std::pair(scrolls, seen), std::pair(3, QList<int>()));
    bar.setSliderDown(false);
    EXPECT_EQ(std::pair(seen, bar.Value()), std::pair(QList<int>{30}, 30));

    bar.setSliderDown(true);  // back to where it started: nothing
    bar.setSliderPosition(60);
    bar.setSliderPosition(30);
    bar.setSliderDown(false);
    EXPECT_EQ(seen, QList<int>{30});
}
