#include "settings/file_save.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Qt reports failures as its own codes; the system's errno of the failing call is still set
// when the call returns, and says what went wrong.
int failure() { return errno != 0 ? errno : EIO; }

bool writeAt(int fd, const char* data, qsizetype size)
{
    for (qsizetype done = 0; done < size;) {
        const ssize_t n = ::pwrite(fd, data + done, std::size_t(size - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += n;
    }
    return true;
}

QByteArray readPrefix(int fd, qsizetype size)
{
    QByteArray bytes(size, '\0');
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, bytes.data() + done, std::size_t(size - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return {};
        done += n;
    }
    return bytes;
}

// The file itself rewritten, for a folder that takes no new file. The space is reserved before a
// byte is written, so a full disk refuses the save and leaves the old contents; should a write
// fail all the same, the old contents are put back.
int rewriteInPlace(const QByteArray& native, const QByteArray& bytes)
{
    const int fd = ::open(native.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return failure();
    struct stat st { };
    int error = 0;
    if (::fstat(fd, &st) != 0)
        error = failure();
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    const off_t oldSize = st.st_size;
    const QByteArray old = error ? QByteArray()
                                 : readPrefix(fd, std::min<qsizetype>(oldSize, bytes.size()));
    if (!error && old.size() != std::min<qsizetype>(oldSize, bytes.size()))
        error = failure();
    if (!error && !bytes.isEmpty()) {
        const int reserved = ::posix_fallocate(fd, 0, off_t(bytes.size()));
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            error = reserved;
            [[maybe_unused]] const int r = ::ftruncate(fd, oldSize);
        }
    }
    if (!error) {
        errno = 0;
        if (!writeAt(fd, bytes.constData(), bytes.size()) ||
            ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fsync(fd) != 0) {
            error = failure();
            if (writeAt(fd, old.constData(), old.size())) [[maybe_unused]]
                const int r = ::ftruncate(fd, oldSize);
        }
    }
    ::close(fd);
    return error;
}

}  // namespace

int saveFile(const QString& filePath, const QByteArray& bytes)
{
    const QByteArray native = QFile::encodeName(filePath);
    struct stat st { };
    const bool exists = ::stat(native.constData(), &st) == 0;
    if (exists) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
            return failure();
    }

    QSaveFile file(filePath);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int refused = failure();
        // The folder takes no new file, but the file itself may be written.
        return exists && S_ISREG(st.st_mode) ? rewriteInPlace(native, bytes) : refused;
    }
    // Flushed here because commit() overlooks a short write in its own final flush and would
    // rename the cut-off file over the good one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return failure();  // the new file is discarded with `file`
    errno = 0;
    if (!file.commit())
        return failure();
    return 0;
}
