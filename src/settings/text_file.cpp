#include "settings/text_file.h"

#include <QFile>
#include <QStringDecoder>

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    // Decided per whole file: a CP932 file can hold byte runs that happen to be valid UTF-8.
    for (const char* name : {"windows-31j", "Shift_JIS"}) {
        QStringDecoder cp932(name);
        if (cp932.isValid())
            return cp932.decode(bytes);
    }
    return text;  // no CP932 converter: keep the UTF-8 reading with replacement characters
}

std::optional<QString> readTextFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return decodeText(bytes);
}
