// The movie window (Form2), part: its popup menu and the items that mirror the control window.
#include "controls/check_box.h"
#include "controls/menu_item.h"
#include "movie/form2.h"
#include "movie/topmost.h"
#include "platform/dialogs.h"
#include "settings/settings_file.h"

#include <QMenu>
#include <QShortcut>

void Form2::createMenu()
{
    menu0 = new QMenu(QStringLiteral("menu0"), this);
    menu0->setObjectName(QStringLiteral("menu0"));
    const auto item = [this](const char* name, const QString& caption, bool checkable = false) {
        auto* it = new MenuItem(QLatin1String(name), caption, menu0, checkable);
        menu0->addAction(it);
        return it;
    };
    topw1 = item("topw1", QStringLiteral("手前に表示"), true);
    c_hyouji = item("c_hyouji", QStringLiteral("ｺﾝﾄﾛｰﾙ非表示"), true);
    ba2 = item("ba2", QStringLiteral("-"));
    me_s_t = item("me_s_t", QStringLiteral("再生/一時停止"));
    me_teisi = item("me_teisi", QStringLiteral("停止"));
    m_mae = item("m_mae", QStringLiteral("前のﾘｽﾄへ"));
    m_yugi = item("m_yugi", QStringLiteral("次のﾘｽﾄへ"));
    me_loop = item("me_loop", QStringLiteral("Loop"), true);
    me_loop_only = item("me_loop_only", QStringLiteral("Loopは選択ﾘｽﾄのみ"), true);
    ba = item("ba", QStringLiteral("-"));
    me_wari = item("me_wari", QStringLiteral("現画面／2"));
    me_kake = item("me_kake", QStringLiteral("現画面×2"));
    me_full = item("me_full", QStringLiteral("Full Screen"));
    ba5 = item("ba5", QStringLiteral("-"));
    ch_col = item("ch_col", QStringLiteral("背景色変更..."));
    ch_ho = item("ch_ho", QStringLiteral("位置、背景色保存"));
    ba4 = item("ba4", QStringLiteral("-"));
    me_about = item("me_about", QStringLiteral("About..."));
    ba3 = item("ba3", QStringLiteral("-"));
    me_exit = item("me_exit", QStringLiteral("終了"));

    connect(topw1, &MenuItem::Click, this, &Form2::topw1_Click);
    connect(me_loop, &MenuItem::Click, this, &Form2::me_loop_Click);
    connect(me_loop_only, &MenuItem::Click, this, &Form2::me_loop_only_Click);
    connect(ch_ho, &MenuItem::Click, this, &Form2::ch_ho_Click);
    connect(me_exit, &MenuItem::Click, this, &Form2::me_exit_Click);
    // c_hyouji, ch_col and me_about are the control window's to connect (tray, colour, About).

    // From the keyboard the menu opens over the window, wherever the pointer is.
    for (const QKeySequence& keys :
        {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this,
            [this] { menu0->popup(mapToGlobal(QPoint(width() / 4, height() / 4))); });
}

void Form2::topw1_Click()
{
    if (!topw1->Checked()) {
        topw1->setChecked(true);
        form1Controls.Check4->setValue(1);
        SetTopMost(windows, this, 1);
    } else {
        topw1->setChecked(false);
        SetTopMost(windows, this, 0);
        form1Controls.Check4->setValue(0);
    }
}

namespace {

// A menu item that mirrors one of Form1's check boxes: choosing it flips the box (whose own
// handler then runs) and the item's mark with it. A grayed box is left alone.
void toggleMirrored(MenuItem& item, CheckBox& box)
{
    switch (box.Value()) {
    case 1:
        item.setChecked(false);
        box.setValue(0);
        break;
    case 0:
        item.setChecked(true);
        box.setValue(1);
        break;
    default:
        break;
    }
}

}  // namespace

void Form2::me_loop_Click() { toggleMirrored(*me_loop, *form1Controls.Check3); }

void Form2::me_loop_only_Click() { toggleMirrored(*me_loop_only, *form1Controls.Check7); }

void Form2::ch_ho_Click()
{
    const WindowSettings values{
        float(Top()), float(Left()), BackColor(), float(Width()), float(Height())};
    const QString path = settings_file::writePath(programDir);
    if (!settings_file::write(path, values))
        form1.MsgBox(
            QStringLiteral(
                "設定ファイルが保存できません。実行ディレクトリがライトプロテクトされている可能性があります。"),
            msgbox::OkOnly, msgbox::Information, QStringLiteral("書込みｴﾗｰ"), path);
}

void Form2::me_exit_Click() { form1.Form_Unload(); }
