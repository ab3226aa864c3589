#include "controls/folder_listing.h"

#include "platform/native_file_name.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace folder_listing {

namespace {

// Case folded, with a quick way for ASCII, which most names are.
char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return u >= u'A' && u <= u'Z' ? char16_t(u + (u'a' - u'A')) : u;
    return c.toCaseFolded().unicode();
}

bool nameBefore(const QString& a, const QString& b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = folded(a[i]), y = folded(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

void sortByName(QStringList& names) { std::sort(names.begin(), names.end(), nameBefore); }

bool sameLetter(QChar a, QChar b) { return a == b || folded(a) == folded(b); }

bool globMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0, n = 0, star = -1, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || sameLetter(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (star >= 0) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

}  // namespace

Folder read(const QString& path)
{
    Folder folder;
    const int fd = ::open(toNativeFileName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        folder.error = errno;
        return folder;
    }
    struct stat self { };
    DIR* dir = ::fstat(fd, &self) == 0 ? ::fdopendir(fd) : nullptr;
    if (!dir) {
        folder.error = errno;
        ::close(fd);
        return folder;
    }
    folder.device = self.st_dev;
    folder.inode = self.st_ino;

    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;  // ".", ".." and hidden names
        unsigned char type = entry->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            struct stat target { };
            if (::fstatat(::dirfd(dir), entry->d_name, &target, 0) != 0)
                type = DT_UNKNOWN;  // a broken link or a loop of links
            else
                type = S_ISDIR(target.st_mode)   ? DT_DIR
                       : S_ISREG(target.st_mode) ? DT_REG
                                                 : DT_UNKNOWN;
        }
        if (type == DT_DIR)
            folder.folders << fromNativeFileName(QByteArray(entry->d_name));
        else if (type == DT_REG)
            folder.files << fromNativeFileName(QByteArray(entry->d_name));
        errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) {
        Folder failed;
        failed.error = readError;
        return failed;
    }
    sortByName(folder.folders);
    sortByName(folder.files);
    return folder;
}

QString join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

Pattern::Pattern(const QString& text) : parts_(text.split(u';', Qt::SkipEmptyParts)) { }

bool Pattern::matches(QStringView name) const
{
    return std::any_of(parts_.cbegin(), parts_.cend(),
        [name](const QString& part) { return globMatch(part, name); });
}

QStringList Pattern::filter(const QStringList& names) const
{
    QStringList result;
    for (const QString& name : names)
        if (matches(name))
            result << name;
    return result;
}

}  // namespace folder_listing
