#include "app/controls/check_box.h"
#include "app/controls/list_box.h"
#include "app/controls/menu_item.h"
#include "app/controls/scroll_bar.h"
#include "app/form1.h"
#include "app/services.h"
#include "movie/form2.h"
#include "playback/mci/mci_channel.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

// Back to the nothing-open state: empty playlist, no device, movie controls off.
void Form1::reset_all()
{
    List1->Clear();
    List2->Clear();
    Timer1->stop();

    QString reply;
    if (services.mci.MciSend(QStringLiteral("close avfile"), reply) == 0)
        services.windows.SetWindowProc(mci_hwnd, old_proc);

    Command2->setText(QStringLiteral("|>"));
    Command2->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{
             Command7, Command8, Command4, Command5, Command6, Command9, Command10, Command11,
             Command3, Command13, Command14, Command15, Command19, Command21, Command22,
             Command23, Check6, cmdDown, cmdUp})
        w->setEnabled(false);

    Form2& movie = form2();
    for (MenuItem* item : {movie.me_kake, movie.me_s_t, movie.me_wari, movie.m_mae, movie.m_yugi,
                           movie.me_full, movie.me_teisi})
        item->setEnabled(false);

    HScroll1->setEnabled(false);

    Label1->setText(QStringLiteral("ファイル名"));
    Label2->setText(QStringLiteral("ﾌﾚｰﾑor時間"));
    Label3->setText(QStringLiteral("SPEED"));
    Label4->setText(QStringLiteral("ﾘｽﾄ数"));
    List2->setToolTip(QStringLiteral("再生ﾌｧｲﾙﾘｽﾄ"));

    Line1->hide();
    Line2->hide();

    movie.placeStrip();
    movie.Label1->setText(QStringLiteral("Movie"));
    movie.Label1->setToolTip(QString());
    movie.placePlaceholder();
    movie.Label2->show();
}
