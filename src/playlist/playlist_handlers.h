#pragma once

#include "playlist/list_writer.h"

#include <QList>
#include <QString>
#include <QStringList>

class CheckBox;
class Dialogs;
class DirListBox;
class FileListBox;
class ListBox;
class Playlist;
class PlaylistWindow;

// The control window's controls that the playlist's handlers read and drive.
struct PlaylistControls {
    ListBox* List1;  // paths
    ListBox* List2;  // display names; selecting an entry opens it
    CheckBox* Check1;  // folder import includes subfolders
    DirListBox* Dir1;  // the folder browser, the folder import's cursor
    FileListBox* File1;  // the movies of Dir1's folder
};

// Building the playlist from the windows: the open dialog and file drops, folder import,
// moving, removing and renaming entries, and list files. The handlers keep the names of the
// controls and events that run them; the control window wires them.
class PlaylistHandlers : private PlaylistControls {
public:
    PlaylistHandlers(PlaylistWindow& form1, const PlaylistControls& controls, Playlist& playlist,
        Dialogs& dialogs);

    // ---- shared state: where the dialogs start (folders end in "/") -------------------------
    QString list_dir;  // the open-list dialog
    QString file_dir;  // the open-movie dialog
    QString save_dir;  // the save-list dialog
    QString list_file;  // the list file last opened or saved, offered by the save dialog

    // ---- adding files (add_files.cpp) ---------------------------------------------------------
    void Command1_Click();
    // The one body of List2_OLEDragDrop and of the movie window's Form_OLEDragDrop,
    // Label1_OLEDragDrop and Label2_OLEDragDrop.
    void OLEDragDrop(const QStringList& paths);

    // ---- folder import (folder_import.cpp) ----------------------------------------------------
    void Command12_Click();
    void folda_open();

    // ---- editing (edit_entries.cpp) -----------------------------------------------------------
    void cmdUp_Click();
    void cmdDown_Click();
    void Command15_Click();
    void Command13_Click();
    void Command21_Click();

    // ---- list files (list_files.cpp) ----------------------------------------------------------
    void Command19_Click();
    void Command20_Click();

private:
    // Appends the entries of a list file by the open button's rule; false when the load stopped
    // (a field without "=", an unreadable file, a full playlist).
    bool loadListFile(const QString& path);
    // A move changes places, not the movie: the reselection it makes opens nothing.
    void moveSelected(int step);
    void reportSaveFailure(int errorNumber, const QString& path);
    void reportLeftOut(const QList<list_writer::LeftOut>& entries);

    PlaylistWindow& form1;
    Playlist& playlist;
    Dialogs& dialogs;
};
