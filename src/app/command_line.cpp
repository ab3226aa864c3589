#include "app/command_line.h"

#include <algorithm>

namespace command_line {

QString join(const QStringList& arguments)
{
    // One quote anywhere makes every token read as quoted, so with one blank anywhere (a file
    // manager passing "a.mpg" and "my b.mpg") every argument is quoted. What follows the Video-CD
    // switch is taken as it stands (a list file's name) and stays as it is.
    const bool quoteAll = std::any_of(
        arguments.begin(), arguments.end(), [](const QString& a) { return a.contains(u' '); });
    QStringList parts;
    bool afterSwitch = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        parts << (quoteAll && !afterSwitch ? u'"' + argument + u'"' : argument);
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
    const QString separator = quoted ? QStringLiteral("\" ") : QStringLiteral(" ");
    if (find(L, separator) == 0) {
        parsed.kind = Parsed::SingleToken;
        parsed.tokens << (quoted ? midText(L, 2, n - 2) : L);
        return parsed;
    }

    parsed.kind = Parsed::Tokens;
    qsizetype start = 1;
    for (;;) {
        const qsizetype e = find(L, separator, start);
        if (e == 0) {
            parsed.tokens << (quoted ? midText(L, start + 1, n - 1 - start)
                                     : midText(L, start, n - start + 1));
            return parsed;
        }
        const QString token = quoted ? midText(L, start + 1, e - start - 1)
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
