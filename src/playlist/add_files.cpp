// Adding files: the open-movie dialog and files dropped from a file manager.
#include "controls/list_box.h"
#include "platform/dialogs.h"
#include "playlist/file_kind.h"
#include "playlist/playlist.h"
#include "playlist/playlist_handlers.h"
#include "playlist/playlist_log.h"
#include "playlist/playlist_window.h"

Q_LOGGING_CATEGORY(lcPlaylist, "reelbox.playlist", QtWarningMsg)

// Paths longer than the old 256-character dialog buffer are accepted: Linux paths may be up to
// 4095 bytes.
void PlaylistHandlers::Command1_Click()
{
    form1.beforeModal();
    FileDialogSetup setup;
    setup.title = QStringLiteral("動画ﾌｧｲﾙを開く");
    setup.filters = {{QStringLiteral("Mpegファイル(*.mpg,*.mpeg)"), QStringLiteral("*.mpg;*.mpeg")},
        {QStringLiteral("AVIファイル (*.avi)"), QStringLiteral("*.avi")},
        {QStringLiteral("VCDファイル (*.dat)"), QStringLiteral("*.dat")},
        {QStringLiteral("すべての動画"), allMoviesPattern()}};
    setup.filterIndex = 1;
    setup.folder = file_dir;
    const QString path = dialogs.GetOpenFileName(setup);
    if (!path.isEmpty()) {
        file_dir = Playlist::folderOf(path);
        // A full playlist refuses the file; then nothing is selected either.
        if (playlist.append(path)) {
            qCDebug(lcPlaylist) << "open dialog: added" << path;
            playlist.select(playlist.count() - 1);
        }
    }
    form1.afterModal();
}

// Folders are not looked into: one whose name ends like a movie is added like a file (and fails
// when it is opened), any other is skipped like any other path.
void PlaylistHandlers::OLEDragDrop(const QStringList& paths)
{
    const int n = playlist.count();
    for (const QString& path : paths) {
        const FileKind kind = fileKindOf(path);
        if (kind == FileKind::DiscImage)
            form1.appendDiscImage(path);  // its tracks, in the drop's order
        else if (isMovie(kind) && !playlist.append(path))
            break;  // the playlist is full
    }
    qCDebug(lcPlaylist) << "drop: added" << playlist.count() - n << "of" << paths.size() << "files";
    if (playlist.count() > n)
        playlist.select(n);
}
