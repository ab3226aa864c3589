// The control window (Form1), part: its controls made and laid out.
#include "app/form1.h"
#include "controls/check_box.h"
#include "controls/dir_list_box.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "controls/scroll_bar.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

// The control window's arrangement: the folder browser and drives on the left, the playlist and
// its buttons on the right, then the movie's name, position and the transport, geometry and
// option rows, and the volume along the bottom.
void Form1::layoutControls()
{
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 6);
    root->setSpacing(4);

    const auto row = [](std::initializer_list<QWidget*> widgets, bool stretchAtEnd = true) {
        auto* r = new QHBoxLayout;
        r->setSpacing(3);
        for (QWidget* w : widgets)
            r->addWidget(w);
        if (stretchAtEnd)
            r->addStretch(1);
        return r;
    };

    // Browser | playlist.
    auto* top = new QHBoxLayout;
    auto* browser = new QVBoxLayout;
    QHBoxLayout* drives = row({Combo1, Label5}, false);
    drives->setStretchFactor(Combo1, 1);  // a disc image's root is a long path
    browser->addLayout(drives);
    browser->addWidget(Line1);
    browser->addWidget(Dir1, 1);
    browser->addWidget(File1, 1);
    browser->addWidget(Line2);
    browser->addLayout(row({Command1, Command12}));
    top->addLayout(browser, 2);

    auto* list = new QGridLayout;
    list->addWidget(List2, 0, 0, 3, 1);
    list->addWidget(cmdUp, 0, 1);
    list->addWidget(cmdDown, 1, 1);
    list->setRowStretch(2, 1);
    list->addLayout(row({Command20, Command19, Command21}), 3, 0, 1, 2);
    list->addLayout(row({Command15, Command13}), 4, 0, 1, 2);
    top->addLayout(list, 3);
    root->addLayout(top, 1);

    Label1->setFrameShape(QFrame::StyledPanel);
    root->addWidget(Label1);
    root->addWidget(HScroll1);
    root->addLayout(row({Check6, Label2, Label3, Label4}));
    // The position takes two lines while a movie plays: the row keeps room for both from the
    // start, and each label room for its widest text, so nothing moves or is cut as they change.
    const QFontMetrics fm(Label2->font());
    const int position = std::max(fm.horizontalAdvance(QStringLiteral("    /00:00:00 (時間)")),
        fm.horizontalAdvance(QStringLiteral("    /9999999 (ﾌﾚｰﾑ)")));
    Label2->setFixedSize(position + fm.averageCharWidth() * 2, fm.lineSpacing() * 2 + fm.descent());
    Label3->setMinimumWidth(
        fm.horizontalAdvance(QStringLiteral("|>|> ＋4")) + fm.averageCharWidth() * 2);
    Label4->setMinimumWidth(fm.horizontalAdvance(QStringLiteral("0000/0000")));
    for (QLabel* l : {Label2, Label3, Label4})
        l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    for (QPushButton* b : {Command2, Command3, Command4, Command5, Command6, Command7, Command8,
             Command9, Command10, Command11, Command14, Command17, Command18, Command22, Command23})
        b->setMinimumWidth(34), b->setMaximumWidth(64);
    root->addLayout(
        row({Command10, Command6, Command2, Command9, Command5, Command11, Command14, Command3}));
    root->addLayout(row({Command4, Command7, Command8, Command22, Command23, Check2}));
    root->addLayout(row({Check3, Check7, Check4, Check1, Check5}));
    root->addLayout(row({Image1}, false));
    auto* bottom = static_cast<QHBoxLayout*>(root->itemAt(root->count() - 1)->layout());
    bottom->addWidget(HScroll2, 1);
    bottom->addWidget(Command16);
    bottom->addWidget(Command17);
    bottom->addWidget(Command18);
    HScroll2->setMinimumWidth(120);

    resize(480, 460);
    setFocusOrder();
}

// Tab walks the controls as they are read: the browser, the playlist and its buttons, the
// position, the transport, geometry and option rows, then the volume row.
void Form1::setFocusOrder()
{
    QWidget* const order[] = {Combo1, Dir1, File1, Command1, Command12, List2, cmdUp, cmdDown,
        Command20, Command19, Command21, Command15, Command13, HScroll1, Check6, Command10,
        Command6, Command2, Command9, Command5, Command11, Command14, Command3, Command4, Command7,
        Command8, Command22, Command23, Check2, Check3, Check7, Check4, Check1, Check5, HScroll2,
        Command16, Command17, Command18};
    for (std::size_t k = 1; k < std::size(order); ++k)
        setTabOrder(order[k - 1], order[k]);
    // The window opens with the focus on its first control (the drive list is off outside
    // Video-CD mode), not on whatever the chain had first before it was put in order.
    Dir1->setFocus();
}
