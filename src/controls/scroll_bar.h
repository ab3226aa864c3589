#pragma once

#include <QScrollBar>

// A horizontal scroll bar with the program's two events: Change whenever the value changes
// (from code at once, before the setter returns; from the user when the value settles, i.e.
// also once at the end of a drag) and Scroll for every movement of the thumb during the user's
// drag, when Value() already holds the thumb's new place. Values written from code are never
// a drag, not even while the user holds the thumb.
// It takes the keyboard focus (Right/Up and Left/Down by SmallChange, Page Up/Down by LargeChange,
// Home/End to either end), and a notch of the mouse wheel moves it by SmallChange, up towards the
// maximum, as on any slider.
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

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    // Marks the program's own writes for as long as they run.
    struct Writing {
        explicit Writing(ScrollBar& bar) : bar_(bar), before_(bar.writing_)
        {
            bar_.writing_ = true;
        }
        ~Writing() { bar_.writing_ = before_; }
        ScrollBar& bar_;
        bool before_;
    };

    int valueAtPress_ = 0;
    int wheelRest_ = 0;  // eighths of a degree not yet a notch (touchpads send small steps)
    bool writing_ = false;
};
