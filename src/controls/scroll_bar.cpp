#include "controls/scroll_bar.h"

ScrollBar::ScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setMinimum(0);
    setTracking(true);
    connect(this, &QScrollBar::valueChanged, this, [this](int) {
        if (!isSliderDown())
            emit Change();
    });
    connect(this, &QScrollBar::sliderPressed, this, [this] { valueAtPress_ = value(); });
    connect(this, &QScrollBar::sliderMoved, this, [this](int) { emit Scroll(); });
    connect(this, &QScrollBar::sliderReleased, this, [this] {
        if (value() != valueAtPress_)
            emit Change();
    });
}
