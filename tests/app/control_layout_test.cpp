// The control window's arrangement: with a movie open and the position on two lines, every
// caption and label has its whole text's room, inside the window.
#include "form_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

TEST_F(FormFixture, EveryCaptionAndLabelIsWhollyVisible)
{
    load("/m/a.mpg");
    form1->show();
    form1->Label2->setText(QStringLiteral(" 123456\n    /1234567 (ﾌﾚｰﾑ)"));
    form1->Label3->setText(QStringLiteral("|>|> ＋4"));
    form1->Label4->setText(QStringLiteral("123/456"));
    form1->layout()->activate();
    QApplication::processEvents();
    int checked = 0;
    for (QWidget* w : form1->findChildren<QWidget*>()) {
        if (!w->isVisible() || !(qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)))
            continue;
        ++checked;
        SCOPED_TRACE(w->objectName().toStdString());
        // A push button's hint asks for more than its text (a minimum width of the style).
        auto* button = qobject_cast<QPushButton*>(w);
        const QSize need = button ? QSize(w->fontMetrics().horizontalAdvance(button->text()) + 6,
                                          w->fontMetrics().height())
                                  : w->sizeHint();
        EXPECT_GE(w->width(), need.width());
        EXPECT_GE(w->height(), need.height());
        EXPECT_TRUE(form1->rect().contains(QRect(w->mapTo(form1.get(), QPoint(0, 0)), w->size())));
    }
    EXPECT_GT(checked, 30);
}
