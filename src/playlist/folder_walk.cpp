#include "playlist/folder_walk.h"

#include "platform/dialogs.h"
#include "playlist/playlist.h"

#include <QStringList>

using folder_listing::Folder;

FolderWalk::FolderWalk(
    Playlist& playlist, const folder_listing::Pattern& pattern, bool subfolders, Hooks hooks)
    : playlist_(playlist), pattern_(pattern), subfolders_(subfolders), hooks_(std::move(hooks))
{
}

bool FolderWalk::run(const QString& path, const Folder& folder)
{
    visited_.clear();
    visited_.emplace(folder.device, folder.inode);
    sinceEvents_.invalidate();
    endedIn_ = path;
    return search(Place{path, folder});
}

bool FolderWalk::letEventsRun(const Place& here)
{
    if (sinceEvents_.isValid() && sinceEvents_.elapsed() < EventIntervalMs)
        return true;
    const bool goOn = hooks_.letEventsRun(here.path);
    sinceEvents_.start();
    return goOn;
}

bool FolderWalk::search(const Place& here)
{
    if (!letEventsRun(here))
        return stop(here);

    if (subfolders_) {
        for (qsizetype k = here.folder.folders.size(); k > 0; --k) {
            const QString path = folder_listing::join(here.path, here.folder.folders[k - 1]);
            const Folder sub = folder_listing::read(path);
            if (sub.error != 0) {
                hooks_.message(qt_error_string(sub.error), msgbox::NoIcon, QString(), path);
                continue;
            }
            if (!visited_.emplace(sub.device, sub.inode).second)
                continue;  // reached again through a link: already walked
            if (search(Place{path, sub}))
                return true;
            // Back in this folder: show it again when events next run.
            if (!letEventsRun(here))
                return stop(here);
        }
    }

    const QStringList names = pattern_.filter(here.folder.files);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths << folder_listing::join(here.path, name);
    if (playlist_.append(paths, names) < names.size()) {
        hooks_.message(QStringLiteral("ﾘｽﾄ ﾎﾞｯｸｽがいっぱいになりました。検索を中止します。"),
            msgbox::Information, QStringLiteral("ﾘｽﾄｵｰﾊﾞｰ"), QString());
        return stop(here);
    }
    return false;
}

bool FolderWalk::stop(const Place& here)
{
    endedIn_ = here.path;
    return true;
}
