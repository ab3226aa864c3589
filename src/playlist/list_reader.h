#pragma once

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

// Hands each field of the file to `take`, in order, until `take` returns false or a playlist's
// worth (Playlist::MaxEntries) has been handed over. The file is read a line at a time (see
// settings/text_file.h for its encodings and limits). False when the file cannot be read; fields
// handed over before a read error stay handed over.
bool readFields(const QString& filePath, const std::function<bool(const QString&)>& take);

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
