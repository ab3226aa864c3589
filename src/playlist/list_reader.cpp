#include "playlist/list_reader.h"

#include "settings/text_file.h"

namespace list_reader {

namespace {

// A line ends in LF or CR LF; a CR on its own is text.
bool atLineEnd(const QString& text, qsizetype i)
{
    return i >= text.size() || text[i] == u'\n'
           || (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n');
}

qsizetype afterLineEnd(const QString& text, qsizetype i)
{
    if (i >= text.size())
        return i;
    return text[i] == u'\r' ? i + 2 : i + 1;
}

qsizetype skipSpaces(const QString& text, qsizetype i)
{
    while (i < text.size() && text[i] == u' ')
        ++i;
    return i;
}

}  // namespace

QStringList fields(const QString& text)
{
    QStringList result;
    qsizetype i = 0;
    bool lineStart = true;
    while (i < text.size()) {
        const qsizetype begin = skipSpaces(text, i);
        if (lineStart && atLineEnd(text, begin)) {
            // Blank lines hold no entry; the program never writes them, hand-edited files may.
            i = afterLineEnd(text, begin);
            continue;
        }
        lineStart = false;

        qsizetype end = begin;
        if (begin < text.size() && text[begin] == u'"') {
            // Quoted: up to the closing quote on this line; what follows it up to the next
            // comma is dropped.
            qsizetype close = begin + 1;
            while (!atLineEnd(text, close) && text[close] != u'"')
                ++close;
            result << text.mid(begin + 1, close - begin - 1);
            end = close;
            if (!atLineEnd(text, end))
                ++end;
            while (!atLineEnd(text, end) && text[end] != u',')
                ++end;
        } else {
            // Trailing blanks are kept: a display name may end in blanks and reads back as saved.
            while (!atLineEnd(text, end) && text[end] != u',')
                ++end;
            result << text.mid(begin, end - begin);
        }

        if (end < text.size() && text[end] == u',') {
            i = end + 1;
        } else {
            i = afterLineEnd(text, end);
            lineStart = true;
        }
    }
    return result;
}

std::optional<QStringList> readFields(const QString& filePath)
{
    const std::optional<QString> text = readTextFile(filePath);
    if (!text)
        return std::nullopt;
    return fields(*text);
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
