#include "settings/text_file.h"

#include "platform/native_file_name.h"

#include <QFile>
#include <QStringDecoder>
#include <QUtf8StringView>

QString decodeText(const QByteArray& bytes)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray body = bytes.startsWith(bom) ? bytes.mid(bom.size()) : bytes;
    if (QUtf8StringView(body).isValidUtf8())
        return QString::fromUtf8(body);
    // Decided per whole file: a CP932 file can hold byte runs that happen to be valid UTF-8.
    for (const char* name : {"windows-31j", "Shift_JIS"}) {
        QStringDecoder cp932(name);
        if (!cp932.isValid())
            continue;
        const QString text = cp932.decode(body);
        if (!cp932.hasError() && !text.contains(QChar::ReplacementCharacter))
            return text;
        break;
    }
    // Neither: UTF-8 holding a file name that is not (written from such a name); its bytes are
    // kept so that the path still names the file.
    return fromNativeFileName(body);
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
