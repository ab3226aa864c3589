#include "settings/text_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
