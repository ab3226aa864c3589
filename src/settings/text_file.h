#pragma once

#include <QString>
#include <optional>

// The text of one of our own files (list files, reelbox.ini). New files are UTF-8; files made on
// Japanese Windows systems are CP932, so a file that is not valid UTF-8 as a whole is read as
// CP932 when it is valid CP932, else as UTF-8 keeping the odd bytes of file names (see
// platform/native_file_name.h). A UTF-8 byte-order mark is dropped. Nothing when the file
// cannot be opened or read, or is no regular file (a FIFO, a device, a folder).
std::optional<QString> readTextFile(const QString& path);

// The same decision for bytes already in memory.
QString decodeText(const QByteArray& bytes);
