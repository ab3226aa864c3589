#include "settings/text_file.h"

#include "platform/native_file_name.h"

#include <QFile>
#include <QStringDecoder>
#include <QUtf8StringView>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Only a regular file is read: opening a FIFO waits for a writer that never comes, a device may
// never end. The check is made again on the opened file, which cannot be swapped any more;
// O_NONBLOCK keeps that open from waiting.
std::optional<QString> readTextFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    if (::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    QByteArray bytes;
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    while (ok) {
        char buffer[65536];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0)
            break;
        else
            ok = errno == EINTR;
    }
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return decodeText(bytes);
}
