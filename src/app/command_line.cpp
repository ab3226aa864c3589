#include "app/command_line.h"

#include "platform/native_file_name.h"

#include <algorithm>

namespace command_line {

QStringList arguments(int argc, const char* const* argv)
{
    QStringList list;
    for (int i = 1; i < argc; ++i)
        list << fromNativeFileName(QByteArray(argv[i]));
    return list;
}

QString join(const QStringList& arguments)
{
    // One quote anywhere makes every token read as quoted, so with one blank or quote anywhere (a
    // file manager passing "a.mpg" and "my b.mpg") every argument is quoted, and a quote inside
    // one is doubled. What follows the Video-CD switch is taken as it stands (a list file's name)
    // and stays as it is.
    const bool quoteAll = std::any_of(arguments.begin(), arguments.end(),
        [](const QString& a) { return a.contains(u' ') || a.contains(u'"'); });
    QStringList parts;
    bool afterSwitch = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        parts << (quoteAll && !afterSwitch
                ? u'"' + QString(argument).replace(u'"', QStringLiteral("\"\"")) + u'"'
                : argument);
        afterSwitch = afterSwitch || (argument == u"1" && i + 1 < arguments.size());
    }
    return parts.join(u' ');
}

namespace {

// Positions below count from 1 as the rules are written; 0 means "not found".
qsizetype find(const QString& text, const QString& what, qsizetype from = 1)
{
    if (from > text.size())
        return 0;
    return text.indexOf(what, from - 1) + 1;
}

// The first separator (quote + blank) of the quoted token that begins at `from`. Inside the token
// a doubled quote is a quote of its name, never the token's end; a command line without doubled
// quotes is cut where the first quote + blank stands.
qsizetype findQuoted(const QString& text, qsizetype from)
{
    for (qsizetype at = from; at < text.size(); ++at) {
        if (text[at - 1] != u'"')
            continue;
        if (text[at] == u' ')
            return at;
        if (at > from && text[at] == u'"')
            ++at;
    }
    return 0;
}

// `length` characters from position `from`; an empty text instead of a failure when a malformed
// line (a separator at the very end, two separators in a row) makes the length negative.
QString midText(const QString& text, qsizetype from, qsizetype length)
{
    return text.mid(from - 1, std::max<qsizetype>(length, 0));
}

}  // namespace

Parsed parse(const QString& L)
{
    Parsed parsed;
    const qsizetype n = L.size();
    if (n == 0)
        return parsed;
    if (L == u"1") {
        parsed.kind = Parsed::VideoCdOnly;
        return parsed;
    }

    const bool quoted = find(L, QStringLiteral("\"")) != 0;
    const auto separatorAt = [&](qsizetype from) {
        return quoted ? findQuoted(L, from) : find(L, QStringLiteral(" "), from);
    };
    const auto unquoted = [&](qsizetype from, qsizetype length) {
        return quoted ? midText(L, from, length).replace(QStringLiteral("\"\""), QStringLiteral("\""))
                      : midText(L, from, length);
    };
    if (separatorAt(1) == 0) {
        parsed.kind = Parsed::SingleToken;
        parsed.tokens << (quoted ? unquoted(2, n - 2) : L);
        return parsed;
    }

    parsed.kind = Parsed::Tokens;
    qsizetype start = 1;
    for (;;) {
        const qsizetype e = separatorAt(start);
        if (e == 0) {
            parsed.tokens << (quoted ? unquoted(start + 1, n - 1 - start)
                                     : midText(L, start, n - start + 1));
            return parsed;
        }
        const QString token = quoted ? unquoted(start + 1, e - start - 1)
                                     : midText(L, start, e - start);
        start = quoted ? e + 2 : e + 1;
        if (token == u"1") {
            parsed.videoCdSwitch = true;
            parsed.rest = midText(L, start, n - start + 1);
            return parsed;
        }
        parsed.tokens << token;
    }
}

}  // namespace command_line
