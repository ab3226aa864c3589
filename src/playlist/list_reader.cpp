#include "playlist/list_reader.h"

#include "platform/native_file_name.h"

namespace list_reader {

namespace {

// The first MaxFieldBytes bytes of a text as the file system sees it (a character cut in two
// keeps its bytes, see native_file_name.h).
QString capped(const QString& text)
{
    const QByteArray bytes = toNativeFileName(text);
    return bytes.size() <= MaxFieldBytes ? text : fromNativeFileName(bytes.left(MaxFieldBytes));
}

// A field too long for a path: its path and name parts capped; what lies between the first and
// the last "=" is dropped, as every reader drops it.
QString cappedField(const QString& field)
{
    if (field.size() * 3 <= MaxFieldBytes)  // no UTF-16 unit takes more than three bytes
        return field;
    const qsizetype first = field.indexOf(u'=');
    if (first < 0)
        return capped(field);
    return capped(field.left(first)) + u'=' + capped(field.mid(field.lastIndexOf(u'=') + 1));
}

}  // namespace

QStringList lineFields(const QString& line)
{
    QStringList result;
    const qsizetype n = line.size();
    qsizetype i = 0;
    const auto skipSpaces = [&](qsizetype at) {
        while (at < n && line[at] == u' ')
            ++at;
        return at;
    };
    if (skipSpaces(0) == n)
        return result;  // blank lines hold no entry; the program never writes them
    for (;;) {
        const qsizetype begin = skipSpaces(i);
        qsizetype end = begin;
        if (begin < n && line[begin] == u'"') {
            // Quoted: up to the closing quote on this line; what follows it up to the next
            // comma is dropped.
            const qsizetype close = line.indexOf(u'"', begin + 1);
            const qsizetype stop = close < 0 ? n : close;
            result << line.mid(begin + 1, stop - begin - 1);
            end = line.indexOf(u',', stop);
        } else {
            // Trailing blanks are kept: a display name may end in blanks and reads back as saved.
            end = line.indexOf(u',', begin);
            result << line.mid(begin, (end < 0 ? n : end) - begin);
        }
        if (end < 0)
            return result;
        i = end + 1;
    }
}

QStringList fields(const QString& text)
{
    QStringList result;
    text_file::splitLines(toNativeFileName(text), FileLimits, [&](const QString& line) {
        result << lineFields(line);
        return true;
    });
    return result;
}

namespace {

// Hands the fields of `line` over as readFields promises; false once reading is to end.
bool handFields(const QString& line, int& given, const std::function<bool(const QString&)>& take)
{
    for (const QString& field : lineFields(line))
        if (given++ >= Playlist::MaxEntries || !take(cappedField(field)))
            return false;
    return true;
}

}  // namespace

bool readFields(const QString& filePath, const std::function<bool(const QString&)>& take)
{
    int given = 0;
    return text_file::readLines(
        filePath, FileLimits, [&](const QString& line) { return handFields(line, given, take); });
}

void readFields(const QByteArray& bytes, const std::function<bool(const QString&)>& take)
{
    int given = 0;
    text_file::splitLines(
        bytes, FileLimits, [&](const QString& line) { return handFields(line, given, take); });
}

namespace {
const QString Missing = QStringLiteral("ErrorList");
}

Entry startupEntry(const QString& field)
{
    // Positions counted from 1, 0 when there is no "=".
    const qsizetype first = field.indexOf(u'=') + 1;
    const qsizetype last = field.lastIndexOf(u'=') + 1;
    Entry entry;
    entry.path = first <= 1 ? Missing : field.left(first - 1);
    entry.name = (last <= 1 || last == field.size()) ? Missing : field.mid(last);
    return entry;
}

std::optional<Entry> listEntry(const QString& field)
{
    const qsizetype first = field.indexOf(u'=');
    if (first < 0)
        return std::nullopt;
    return Entry{field.left(first), field.mid(field.lastIndexOf(u'=') + 1)};
}

QString trackName(const QString& field)
{
    const qsizetype last = field.lastIndexOf(u'=');
    if (last < 0 || last + 1 == field.size())
        return Missing;
    return field.mid(last + 1);
}

}  // namespace list_reader
