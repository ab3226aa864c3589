#pragma once

#include "controls/folder_listing.h"

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <set>
#include <utility>

class Playlist;

// The walk of a folder import (folda_search): every movie of a folder and, when asked, of its
// subfolders, appended to the playlist in this order: the subfolders from the last (in name
// order) to the first, each one completely, then the folder's own files in name order.
//
// Each real folder is walked once, however many symbolic links lead to it, so a link to a
// folder above does not make the walk endless. A folder that cannot be read is reported once
// (its error's description, the program's title, OK, the folder under the text) and skipped;
// the walk goes on with the next one. A full playlist is reported once and ends the walk.
class FolderWalk {
public:
    struct Hooks {
        // Shows where the walk is and lets pending window events run, so the windows stay
        // responsive. False ends the walk (the program is closing).
        std::function<bool(const QString& path)> letEventsRun;
        // A message box with the OK button; `folder`: the one it is about, if any.
        std::function<void(
            const QString& text, int icon, const QString& title, const QString& folder)>
            message;
    };

    // Events are let run at the first folder and then whenever this much time has passed since
    // they last ran: often enough that a click is answered at once, rarely enough that redrawing
    // the windows does not slow the walk down.
    static constexpr int EventIntervalMs = 10;

    FolderWalk(
        Playlist& playlist, const folder_listing::Pattern& pattern, bool subfolders, Hooks hooks);

    // Walks the folder at `path`, already read into `folder`. True when the walk was stopped
    // (full playlist, closing program); the entries added until then stay.
    bool run(const QString& path, const folder_listing::Folder& folder);
    // Where the walk ended: the folder it started in, or the one where it was stopped.
    QString endedIn() const { return endedIn_; }

private:
    struct Place {
        QString path;
        const folder_listing::Folder& folder;
    };

    bool search(const Place& here);
    bool letEventsRun(const Place& here);
    bool stop(const Place& here);  // the walk ends here

    Playlist& playlist_;
    const folder_listing::Pattern& pattern_;
    const bool subfolders_;
    Hooks hooks_;
    std::set<std::pair<std::uint64_t, std::uint64_t>> visited_;
    QElapsedTimer sinceEvents_;
    QString endedIn_;
};
