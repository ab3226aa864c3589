#include "controls/scroll_bar.h"

#include <QWheelEvent>

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setMinimum(0);
    setTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // Qt turns a scroll bar's keys round for the sake of scrolled views (Left and Down raise the
    // value); as a slider, Right, Up and Page Up raise it.
    setInvertedControls(false);
    // Qt announces a drag step (sliderMoved) before the value follows the thumb, and announces
    // the program's own writes as drag steps too while the thumb is held. So both events come
    // from the value itself: a change the user's drag made is Scroll, with the new value in place;
    // any other change is Change.
    connect(this, &QScrollBar::valueChanged, this, [this](int) {
        if (isSliderDown() && !writing_)
            emit Scroll();
        else
            emit Change();
    });
    connect(this, &QScrollBar::sliderPressed, this, [this] { valueAtPress_ = value(); });
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (value() != valueAtPress_)
            emit Change();
    });
}

void ScrollBar::setValue(int v)
{
    const Writing writing(*this);
    QScrollBar::setValue(v);
}

void ScrollBar::setMax(int v)
{
    const Writing writing(*this);
    setMaximum(v);
}

void ScrollBar::wheelEvent(QWheelEvent* event)
{
    const QPoint delta = event->angleDelta();
    // Up raises the value; so does a tilt to the right (X reports it as a negative step).
    wheelRest_ += delta.y() != 0 ? delta.y() : -delta.x();
    const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0)
        QScrollBar::setValue(value() + notches * SmallChange());  // the user's change
    event->accept();
}
