#pragma once

#include "platform/native_file_name.h"

#include <QTemporaryDir>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// Folders, files and links under a temporary folder, made by their bytes (names may be any bytes):
// "a/b/" a folder, "a/x.mpg" an empty file, "a/up -> .." a symbolic link; parents are made too.
class FileTree {
public:
    FileTree() { ::chmod(root().constData(), 0777); }
    // Qt cannot remove names that are not UTF-8: the contents go first, by their bytes.
    ~FileTree()
    {
        ::nftw(
            root().constData(),
            [](const char* p, const struct stat*, int type, FTW* at) {
                if (at->level > 0)
                    type == FTW_DP ? ::rmdir(p) : ::unlink(p);
                return 0;
            },
            16, FTW_DEPTH | FTW_PHYS);
    }

    QByteArray root() const { return toNativeFileName(dir_.path()); }
    QString path(const QByteArray& relative) const
    {
        return fromNativeFileName(root() + '/' + relative);
    }

    void add(const QList<QByteArray>& entries)
    {
        for (const QByteArray& entry : entries) {
            const qsizetype arrow = entry.indexOf(" -> ");
            const QByteArray name = arrow < 0 ? entry : entry.left(arrow);
            for (qsizetype at = name.indexOf('/'); at > 0 && at < name.size() - 1;
                 at = name.indexOf('/', at + 1))
                ::mkdir(root() + '/' + name.left(at), 0777);
            const QByteArray full = root() + '/' + name;
            const bool made = arrow >= 0 ? ::symlink(entry.mid(arrow + 4), full) == 0
                              : name.endsWith('/')
                                  ? ::mkdir(full, 0777) == 0
                                  : ::close(::open(full, O_CREAT | O_WRONLY, 0666)) == 0;
            EXPECT_TRUE(made) << entry.constData();
        }
    }
    void chmod(const QByteArray& relative, mode_t mode) const
    {
        ::chmod(root() + '/' + relative, mode);
    }

private:
    QTemporaryDir dir_;
};

// While it lives, a process running as root acts as the user "nobody", so that file permissions
// apply to it as to a user (root may read and write everything).
class AsUnprivileged {
public:
    explicit AsUnprivileged(bool on = true) : root_(on && ::geteuid() == 0)
    {
        EXPECT_TRUE(!root_ || ::seteuid(65534) == 0);
    }
    ~AsUnprivileged() { EXPECT_TRUE(!root_ || ::seteuid(0) == 0); }

private:
    const bool root_;
};
