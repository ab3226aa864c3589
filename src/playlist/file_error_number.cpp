#include "playlist/file_error_number.h"

#include <cerrno>

int fileErrorNumber(int errnoValue)
{
    switch (errnoValue) {
    case ENOENT:
    case ESTALE:  // a network file that is gone
        return 53;
    case EIO:
        return 57;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:  // a file size limit: the disk is full as far as this file goes
        return 61;
    case EMFILE:
    case ENFILE:
        return 67;
    case ENXIO:
    case ENODEV:
        return 68;
    case EPERM:  // e.g. an immutable file
        return 70;
    case ENOMEDIUM:
    case EAGAIN:
        return 71;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return 76;
    case EACCES:  // no write permission on the file or its folder: it is write-protected
    case EROFS:
    case ETXTBSY:
    case EBUSY:
    case EISDIR:
    default:
        return 75;
    }
}
