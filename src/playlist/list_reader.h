#pragma once

#include <QList>
#include <QString>
#include <optional>

// Reading list files (.vep): one entry per line, the path, "=" and the display name.
namespace list_reader {

struct Entry {
    QString path;
    QString name;
};

// The file's fields: its text (UTF-8, or CP932 when not valid UTF-8) cut into fields the way the
// list files' field reader cuts them. Nothing when the file cannot be read.
std::optional<QStringList> readFields(const QString& filePath);

// The same cut applied to text already read. Blank lines yield no field; a field that ends at a
// line end keeps its trailing blanks.
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
