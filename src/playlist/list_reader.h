#pragma once

#include "playlist/playlist.h"
#include "settings/text_file.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Reading list files (.vep): one entry per line, the path, "=" and the display name.
namespace list_reader {

struct Entry {
    QString path;
    QString name;
};

// A path longer than this names no file (the system's limit counts the closing NUL).
constexpr qsizetype MaxFieldBytes = 4096;
// How much of a list file is read: a full playlist of entries whose lines average 512 bytes,
// several times a usual path and name, so that no list of ours is cut. Reading it takes a
// fraction of a second and keeps memory well under 100 MB whatever the file holds.
constexpr text_file::Limits FileLimits{Playlist::MaxEntries, 16 << 20};

// Hands each field of the file to `take`, in order, until `take` returns false, a playlist's
// worth (Playlist::MaxEntries) has been handed over or the file's limits are reached. The file is
// read a line at a time (see settings/text_file.h for its encodings). A field over MaxFieldBytes
// keeps the first MaxFieldBytes of its path and of its name: such a path names no file, so the
// entry fails when it is opened, as a missing file does. False when the file cannot be read;
// fields handed over before a read error stay handed over.
bool readFields(const QString& filePath, const std::function<bool(const QString&)>& take);
// The same reading of a file's bytes.
void readFields(const QByteArray& bytes, const std::function<bool(const QString&)>& take);

// The fields of one line, without its line end: a line that holds only blanks has none; a
// field that ends at the line's end keeps its trailing blanks.
QStringList lineFields(const QString& line);

// The same cut applied to a whole text (either line end).
QStringList fields(const QString& text);

// The start-up reader's rule for one field: the path before the first "=", the name after the
// last "=", "ErrorList" for a part that is missing. It never stops.
Entry startupEntry(const QString& field);

// The open button's rule: the path before the first "=", the name after the last "=" (either may
// be empty); nothing for a field without "=", which ends that load.
std::optional<Entry> listEntry(const QString& field);

// Video-CD naming's rule: the text after the last "=", or "ErrorList" when the field has no "="
// or ends with it.
QString trackName(const QString& field);

}  // namespace list_reader
