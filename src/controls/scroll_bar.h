#pragma once

#include <QScrollBar>

// A horizontal scroll bar with the program's two events: Change whenever the value changes
// (from code at once, before the setter returns; from the user when the value settles, i.e.
// also once at the end of a drag) and Scroll for every movement of the thumb during a drag.
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);

    int Value() const { return value(); }
    void setValue(int v) { QScrollBar::setValue(v); }
    int Max() const { return maximum(); }
    void setMax(int v) { setMaximum(v); }
    int SmallChange() const { return singleStep(); }
    void setSmallChange(int v) { setSingleStep(v); }
    int LargeChange() const { return pageStep(); }
    void setLargeChange(int v) { setPageStep(v); }

signals:
    void Change();
    void Scroll();

private:
    int valueAtPress_ = 0;
};
