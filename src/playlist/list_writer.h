#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Playlist;

// Writing list files (.vep): one line per entry in playlist order, the path, "=" and the display
// name, each line ended by CR LF. A line holding a comma, or beginning with a blank, is written as
// one field in double quotes, so the readers' field rule reads it back whole; every other line
// has nothing around it. UTF-8; the bytes of a file name that is not UTF-8 are written as they
// are, so the path still names the file.
namespace list_writer {

// The text of one entry's line (without its line end).
QString line(const QString& path, const QString& name);
// True when the readers read `line(path, name)` back as this very entry. Not so for a path or
// name holding a comma and a double quote, an "=" in the path or the name (the path ends at the
// first, the name begins after the last), or a line break.
bool readsBack(const QString& path, const QString& name);

struct Content {
    QByteArray bytes;
    QList<int> leftOut;  // the entries that would not read back, in order; not in `bytes`
};
// The file's bytes. An entry that would not read back is left out: its line could stop the
// load of every entry after it.
Content content(const Playlist& playlist);

// Saves `bytes` to filePath as saveFile() saves (a failed save leaves the previous file intact).
// Returns 0, or the errno value of the failure.
int save(const QString& filePath, const QByteArray& bytes);

}  // namespace list_writer
