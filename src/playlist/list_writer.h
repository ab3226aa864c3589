#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

class Playlist;

// Writing list files (.vep): one line per entry in playlist order, the path, "=" and the display
// name, each line ended by CR LF. A line holding a comma, or beginning with a blank, is written as
// one field in double quotes, so the readers' field rule reads it back whole; every other line
// has nothing around it.
//
// UTF-8. The bytes of a file name that is not UTF-8 (Shift-JIS names from a Japanese archive) are
// written as they are, so the path still names the file; a file holding such bytes begins with a
// UTF-8 byte-order mark, which makes the readers take it as UTF-8 (without it, such bytes could be
// read as CP932, as files made on Japanese Windows systems are). Every other file has no mark and
// is the plain UTF-8 it always was.
namespace list_writer {

// The text of one entry's line (without its line end).
QString line(const QString& path, const QString& name);

// Why an entry is not written: its line would not read back as this very entry.
enum class Refusal {
    Separators,  // a comma and a double quote, an "=" in the path or the name, a line break
    Unwritable,  // a character that has no bytes in the file (a lone surrogate)
    TooLong,  // a path, a name or a line longer than the readers take
};
struct LeftOut {
    int entry;
    Refusal why;
};

struct Content {
    QByteArray bytes;
    QList<LeftOut> leftOut;  // the entries that would not read back, in order; not in `bytes`
};
// The file's bytes. An entry that would not read back is left out: its line could stop the
// load of every entry after it.
Content content(const Playlist& playlist);

// Saves `bytes` to filePath as saveFile() saves (a failed save leaves the previous file intact).
// Returns 0, or the errno value of the failure.
int save(const QString& filePath, const QByteArray& bytes);

}  // namespace list_writer
