#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// The lines of one of our own files (list files, reelbox.ini), read one at a time so that a
// huge or endless file costs no more than a line.
//
// New files are UTF-8; files made on Japanese Windows systems are CP932. The choice is made for
// the part of the file that is read, as a whole: when a line of it is not valid UTF-8, it is read
// as CP932 if all of it is valid CP932, else as UTF-8 keeping the odd bytes of file names (see
// platform/native_file_name.h). A file that begins with a UTF-8 byte-order mark is UTF-8 keeping
// such bytes, never CP932: that is how a list file carries names that are not UTF-8 (Shift-JIS
// bytes are often valid CP932 too). A UTF-8 byte-order mark at the start of a line is dropped
// (files joined from several saved ones carry one on each part). Lines end in LF or CR LF.
namespace text_file {

// A longer line is no line of ours (a list line is a path, "=" and a name): reading ends before
// it, as at the end of the file.
constexpr qsizetype MaxLineBytes = 64 * 1024;

// How much of a file is read: reading ends, as at the end of the file, before the line that would
// pass either limit. Every line counts, a blank one too, with its line end.
struct Limits {
    int lines;
    qint64 bytes;
};

// Hands each line (without its end) to `take` until `take` returns false, the file ends, or a
// limit is reached. The file is read in blocks, so memory stays at about a line. False when the
// file cannot be opened or read, or is no regular file (a FIFO, a device, a folder); lines handed
// over before a read error stay handed over.
bool readLines(const QString& path, Limits limits, const std::function<bool(const QString&)>& take);

// The same for bytes already in memory.
void splitLines(
    const QByteArray& bytes, Limits limits, const std::function<bool(const QString&)>& take);

}  // namespace text_file
