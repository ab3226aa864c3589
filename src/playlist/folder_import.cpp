// Folder import: the options dialog, the folder browser and the walk.
#include "controls/check_box.h"
#include "controls/dir_list_box.h"
#include "controls/file_list_box.h"
#include "controls/folder_listing.h"
#include "platform/dialogs.h"
#include "playlist/file_kind.h"
#include "playlist/folder_options_dialog.h"
#include "playlist/folder_walk.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "playlist/playlist_log.h"
#include "playlist/playlist_window.h"

#include <QCoreApplication>

void PlaylistHandlers::Command12_Click()
{
    folda_op dialog(form1, *Check1, *File1, form1.dialogOwner());
    if (dialog.exec() == QDialog::Accepted)
        folda_open();
    else
        form1.afterModal();  // closed by its close box: the movie window comes back in front
}

void PlaylistHandlers::folda_open()
{
    form1.beforeModal();
    const int n = playlist.count();
    const QString chosen = dialogs.BrowseForFolder(QStringLiteral("フォルダを指定して下さい。"));
    if (!chosen.isEmpty()) {
        const folder_listing::Folder top = folder_listing::read(chosen);
        if (top.error != 0 || !Dir1->setPath(chosen) || !File1->setPath(chosen)) {
            form1.MsgBox(QStringLiteral("デバイスが準備されていないみたいです。"), msgbox::OkOnly,
                msgbox::Information, QStringLiteral("ﾃﾞﾊﾞｲｽｴﾗｰ"), chosen);
        } else {
            const folder_listing::Pattern pattern(File1->Pattern());
            FolderWalk::Hooks hooks;
            hooks.letEventsRun = [this](const QString& path) {
                Dir1->setPath(path);  // File1 follows Dir1
                QCoreApplication::processEvents();
                return !form1.isUnloaded();
            };
            hooks.message = [this](const QString& text, int icon, const QString& title,
                                const QString& folder) {
                form1.MsgBox(text, msgbox::OkOnly, icon, title, folder);
            };
            FolderWalk walk(playlist, pattern, Check1->Value() == 1, hooks);
            walk.run(Dir1->Path(), top);
            Dir1->setPath(walk.endedIn());
            File1->setPath(Dir1->Path());
            qCDebug(lcPlaylist) << "folder import: added" << playlist.count() - n << "files";
            if (!form1.isUnloaded() && playlist.count() > n)
                playlist.select(n);
        }
    }
    File1->setPattern(allMoviesPattern());
    form1.afterModal();
}
