#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QUtf8StringView>

// Linux file names are bytes, usually UTF-8 but not always (names copied from old discs and
// archives). Qt's own conversion turns a byte that is not UTF-8 into U+FFFD, and the file can no
// longer be opened. These two keep such bytes: each byte that is not part of valid UTF-8 becomes
// the lone surrogate U+DC80..U+DCFF and turns back into the same byte. UTF-8 never holds
// surrogates, so no valid name is changed. A name may begin with a byte-order mark (EF BB BF):
// it is kept as U+FEFF, where Qt's own conversion drops it.

inline QString fromNativeFileName(const QByteArray& bytes)
{
    if (QUtf8StringView(bytes).isValidUtf8() && !bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes);
    QString text;
    text.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char lead = p[i];
        int length = 0;
        char32_t code = 0, lowest = 0;
        if (lead < 0x80) {
            text += QChar(lead);
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2, code = lead & 0x1F, lowest = 0x80;
        else if (lead >= 0xE0 && lead <= 0xEF)
            length = 3, code = lead & 0x0F, lowest = 0x800;
        else if (lead >= 0xF0 && lead <= 0xF4)
            length = 4, code = lead & 0x07, lowest = 0x10000;
        bool valid = length > 0 && i + length <= n;
        for (int k = 1; valid && k < length; ++k) {
            valid = (p[i + k] & 0xC0) == 0x80;
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        valid = valid && code >= lowest && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text += QChar(char16_t(0xDC00 + lead));
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            text += QChar(QChar::highSurrogate(code));
            text += QChar(QChar::lowSurrogate(code));
        } else {
            text += QChar(char16_t(code));
        }
        i += length;
    }
    return text;
}

inline QByteArray toNativeFileName(QStringView text)
{
    QByteArray bytes;
    qsizetype run = 0;  // start of the text not yet converted
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool kept = c >= 0xDC80 && c <= 0xDCFF && !(i > 0 && text[i - 1].isHighSurrogate());
        if (!kept)
            continue;
        bytes += text.mid(run, i - run).toUtf8();
        bytes += char(c - 0xDC00);
        run = i + 1;
    }
    if (run == 0)
        return text.toUtf8();
    bytes += text.mid(run).toUtf8();
    return bytes;
}
