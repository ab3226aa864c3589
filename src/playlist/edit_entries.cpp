// Editing the playlist: moving, removing and renaming the selected entry, clearing all.
#include "controls/list_box.h"
#include "platform/dialogs.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "playlist/playlist_window.h"
#include "playlist/rename_dialog.h"

// A move changes places, not the movie: the reselection it makes opens nothing.
void PlaylistHandlers::cmdUp_Click() { moveSelected(-1); }

void PlaylistHandlers::cmdDown_Click() { moveSelected(+1); }

void PlaylistHandlers::moveSelected(int step)
{
    form1.move_flg() = 1;
    if (!playlist.moveSelected(step))
        form1.move_flg() = 0;
}

void PlaylistHandlers::Command15_Click()
{
    form1.beforeModal();
    const int i = playlist.selected();
    const QString name = playlist.name(i);
    const int answer = form1.MsgBox(QStringLiteral("選択されているリスト「") + name +
                                        QStringLiteral("」を一覧からクリアしますか？"),
        msgbox::YesNo, msgbox::Question, QStringLiteral("ﾘｽﾄｸﾘｱ"), playlist.path(i));
    if (answer == msgbox::Yes)
        playlist.removeAndReselect(i, [this] { form1.reset_all(); });
    form1.afterModal();
}

void PlaylistHandlers::Command13_Click()
{
    form1.beforeModal();
    if (form1.MsgBox(QStringLiteral("全リスト一覧をクリアしますか？"), msgbox::YesNo,
            msgbox::Question, QStringLiteral("全ﾘｽﾄｸﾘｱ")) == msgbox::Yes)
        form1.reset_all();
    form1.afterModal();
}

// The dialog's buttons give the movie window its place in front back.
void PlaylistHandlers::Command21_Click()
{
    form1.beforeModal();
    Dialog dialog(form1, playlist, *List2, form1.dialogOwner());
    dialog.exec();
}
