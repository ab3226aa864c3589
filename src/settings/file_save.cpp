#include "settings/file_save.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Qt reports failures as its own codes; the system's errno of the failing call is still set
// when the call returns, and says what went wrong.
int failure()
{
    return errno != 0 ? errno : EIO;
}

}  // namespace

int saveFile(const QString& filePath, const QByteArray& bytes)
{
    const QByteArray native = QFile::encodeName(filePath);
    struct stat st{};
    if (::stat(native.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return EISDIR;
        if (::faccessat(AT_FDCWD, native.constData(), W_OK, AT_EACCESS) != 0)
            return failure();
    }

    QSaveFile file(filePath);
    file.setDirectWriteFallback(true);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure();
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
