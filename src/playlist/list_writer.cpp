#include "playlist/list_writer.h"

#include "platform/native_file_name.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"
#include "settings/file_save.h"
#include "settings/text_file.h"

#include <QStringEncoder>
#include <QUtf8StringView>

#include <cstdint>
#include <cstring>

namespace list_writer {

QString line(const QString& path, const QString& name)
{
    const QString text = path + u'=' + name;
    if (text.contains(u',') || text.startsWith(u' '))
        return u'"' + text + u'"';
    return text;
}

namespace {

const QByteArray Mark("\xEF\xBB\xBF");

// The file's bytes for `native`, the bytes of its text (see the header).
QByteArray marked(QByteArray native)
{
    if (!QUtf8StringView(native).isValidUtf8())
        native.prepend(Mark);
    return native;
}

// True when the readers read the entries back from `bytes` as `paths` and `names`, in order.
bool readsBack(const QByteArray& bytes, const QStringList& paths, const QStringList& names)
{
    qsizetype i = 0;
    bool same = true;
    list_reader::readFields(bytes, [&](const QString& field) {
        const std::optional<list_reader::Entry> entry = list_reader::listEntry(field);
        same = i < paths.size() && entry && entry->path == paths[i] && entry->name == names[i];
        ++i;
        return same;
    });
    return same && i == paths.size();
}

Refusal refusal(const QString& path, const QString& name)
{
    const QString text = line(path, name);
    const QByteArray bytes = toNativeFileName(text);
    if (fromNativeFileName(bytes) != text)
        return Refusal::Unwritable;
    const bool tooLong = bytes.size() > text_file::MaxLineBytes ||
                         toNativeFileName(path).size() > list_reader::MaxFieldBytes ||
                         toNativeFileName(name).size() > list_reader::MaxFieldBytes;
    return tooLong ? Refusal::TooLong : Refusal::Separators;
}

// What the characters of an entry mean for its line (bits).
constexpr std::uint16_t Refused = 1, Comma = 2, Quote = 4;

// The meanings of all characters of `text`, or-ed. Eight UTF-16 units at a time: this runs over
// every character of a list that may hold millions.
std::uint16_t kinds(QStringView text)
{
    using Lanes = std::uint16_t __attribute__((vector_size(16)));
    constexpr qsizetype Width = sizeof(Lanes) / sizeof(char16_t);
    Lanes found{};
    const auto take = [&found](const char16_t* group) {
        Lanes u;
        std::memcpy(&u, group, sizeof u);
        const Lanes refused = Lanes(
            (u < 0x20) | (u == '=') | ((u & 0xF800) == 0xD800) | (u == 0xFEFF));
        found |= (refused & Refused) | (Lanes(u == ',') & Comma) | (Lanes(u == '"') & Quote);
    };
    const char16_t* units = text.utf16();
    const qsizetype whole = text.size() - text.size() % Width;
    for (qsizetype i = 0; i < whole; i += Width)
        take(units + i);
    char16_t rest[Width];  // filled up with blanks, which mean nothing here
    for (qsizetype k = 0; k < Width; ++k)
        rest[k] = whole + k < text.size() ? units[whole + k] : u' ';
    take(rest);
    std::uint16_t all = 0;
    for (qsizetype k = 0; k < Width; ++k)
        all |= found[k];
    return all;
}

// Appends the line of an entry and its line end to `bytes` when the characters alone show that
// the readers read it back as this very entry, wherever it stands in a file: no part longer than a
// field may be (at most three bytes a UTF-16 unit), no line break or other control character that
// could end or cut the line, no "=" (the path ends at the first, the name begins after the last),
// no surrogate (its bytes may not decode back alone), no U+FEFF (a byte-order mark at a line's
// start is dropped), no double quote in a quoted line (the field ends at it) nor at the start of
// an unquoted one (the field would be taken as quoted). Such a line is UTF-8 of whole characters
// only, which decodes back to the same text. False, with `bytes` as it was, for every other line:
// it is for the read-back to judge.
bool appendPlain(QByteArray& bytes, QStringView path, QStringView name)
{
    if (path.size() * 3 > list_reader::MaxFieldBytes ||
        name.size() * 3 > list_reader::MaxFieldBytes)
        return false;
    const std::uint16_t found = kinds(path) | kinds(name);
    const bool refused = found & Refused, comma = found & Comma, quote = found & Quote;
    const bool quoted = comma || path.startsWith(u' ');  // as line() quotes
    if (refused || (quoted ? quote : path.startsWith(u'"')))
        return false;
    QStringEncoder utf8(QStringEncoder::Utf8);
    const qsizetype had = bytes.size();
    bytes.resize(had + utf8.requiredSpace(path.size() + name.size()) + 5);
    char* out = bytes.data() + had;
    if (quoted)
        *out++ = '"';
    out = utf8.appendToBuffer(out, path);
    *out++ = '=';
    out = utf8.appendToBuffer(out, name);
    if (quoted)
        *out++ = '"';
    *out++ = '\r';
    *out++ = '\n';
    bytes.truncate(out - bytes.constData());
    return true;
}

}  // namespace

Content content(const Playlist& playlist)
{
    // Each line is read back on its own, as the readers will read it, unless its characters alone
    // show that it reads back. A line reads the same alone as in the file, unless it begins with a
    // byte-order mark: the readers drop one mark at the start of a line, and the file's own mark
    // (when it has one) stands before the first line's. So when an entry is left out and such a
    // line is there, the whole file is read back as well, and written whole when all comes back.
    Content content;
    content.bytes.reserve(qsizetype(playlist.count()) * 128);
    bool utf8 = true, markedLine = false;
    for (int i = 0; i < playlist.count(); ++i) {
        const QString path = playlist.path(i), name = playlist.name(i);
        if (appendPlain(content.bytes, path, name))
            continue;
        const QByteArray native = toNativeFileName(line(path, name) + QStringLiteral("\r\n"));
        markedLine = markedLine || native.startsWith(Mark);
        if (readsBack(marked(native), {path}, {name})) {
            content.bytes += native;
            utf8 = utf8 && QUtf8StringView(native).isValidUtf8();
        } else {
            content.leftOut << LeftOut{i, refusal(path, name)};
        }
    }
    if (!content.leftOut.isEmpty() && markedLine) {
        QStringList paths, names;
        QString text;
        for (int i = 0; i < playlist.count(); ++i) {
            paths << playlist.path(i);
            names << playlist.name(i);
            text += line(paths.back(), names.back()) + QStringLiteral("\r\n");
        }
        const QByteArray whole = marked(toNativeFileName(text));
        if (readsBack(whole, paths, names))
            return Content{whole, {}};
    }
    if (!utf8)
        content.bytes.prepend(Mark);
    return content;
}

int save(const QString& filePath, const QByteArray& bytes) { return saveFile(filePath, bytes); }

}  // namespace list_writer
