#pragma once

#include <QScrollBar>

// A horizontal scroll bar with the program's two events: Change whenever the value changes
// (from code at once, before the setter returns; from the user when the value settles, i.e.
// also once at the end of a drag) and Scroll for every movement of the thumb during the user's
// drag, when Value() already holds the thumb's new place. Values written from code are never
// a drag, not even while the user holds the thumb.
class ScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit ScrollBar(QWidget* parent = nullptr);

    int Value() const { return value(); }
    void setValue(int v);
    int Max() const { return maximum(); }
    void setMax(int v);
    int SmallChange() const { return singleStep(); }
    void setSmallChange(int v) { setSingleStep(v); }
    int LargeChange() const { return pageStep(); }
    void setLargeChange(int v) { setPageStep(v); }

signals:
    void Change();
    void Scroll();

private:
    // Marks the program's own writes for as long as they run.
    struct Writing {
        explicit Writing(ScrollBar& bar) : bar_(bar), before_(bar.writing_) { bar_.writing_ = true; }
        ~Writing() { bar_.writing_ = before_; }
        ScrollBar& bar_;
        bool before_;
    };

    int valueAtPress_ = 0;
    bool writing_ = false;
};
