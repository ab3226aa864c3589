// The movie window's popup menu as it is drawn: its items in order, which carry a check mark,
// and separators that are only separators.
#include "controls/menu_item.h"
#include "form_fixture.h"

#include <QMenu>

namespace {

struct Item {
    const char* name;
    const char* caption;  // "-": a separator
    bool checkable;
};

const Item MenuItems[] = {
    {"topw1", "手前に表示", true},
    {"c_hyouji", "ｺﾝﾄﾛｰﾙ非表示", true},
    {"ba2", "-", false},
    {"me_s_t", "再生/一時停止", false},
    {"me_teisi", "停止", false},
    {"m_mae", "前のﾘｽﾄへ", false},
    {"m_yugi", "次のﾘｽﾄへ", false},
    {"me_loop", "Loop", true},
    {"me_loop_only", "Loopは選択ﾘｽﾄのみ", true},
    {"ba", "-", false},
    {"me_wari", "現画面／2", false},
    {"me_kake", "現画面×2", false},
    {"me_full", "Full Screen", false},
    {"ba5", "-", false},
    {"ch_col", "背景色変更...", false},
    {"ch_ho", "位置、背景色保存", false},
    {"ba4", "-", false},
    {"me_about", "About...", false},
    {"ba3", "-", false},
    {"me_exit", "終了", false},
};

}  // namespace

TEST_F(FormFixture, MovieMenuMarksOnlyItsFourSwitches)
{
    load();
    const QList<QAction*> actions = form2().menu0->actions();
    ASSERT_EQ(actions.size(), qsizetype(std::size(MenuItems)));
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const Item& want = MenuItems[i];
        const bool separator = QLatin1String(want.caption) == QLatin1String("-");
        QAction* a = actions[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(a->objectName(), want.name);
        EXPECT_EQ(a->isSeparator(), separator);
        EXPECT_EQ(a->text(), separator ? QString() : QString::fromUtf8(want.caption));
        EXPECT_EQ(a->isCheckable(), want.checkable);
    }
}
