#include "controls/path_combo_box.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

void PathComboBox::showPopup()
{
    const int widest = view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + 8;
    view()->setMinimumWidth(qMax(widest, width()));
    QComboBox::showPopup();
}

// QComboBox's own painting, with the current text elided in the middle.
void PathComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field = style()->subControlRect(
        QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideMiddle,
        field.width() - 6);  // the label's margins
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
