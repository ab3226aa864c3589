#pragma once

#include "platform/native_file_name.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <ftw.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// Folders, files and links under a temporary folder, made with the system's calls so that names
// may hold any bytes. Each entry is a path relative to the root:
//   "a/b/"        a folder (and its parents)
//   "a/x.mpg"     an empty file (and its parents)
//   "a/up -> .."  a symbolic link
class FileTree {
public:
    FileTree() { ::chmod(bytes(root()).constData(), 0777); }
    // Qt cannot remove names that are not UTF-8: the tree's contents go first, by their bytes.
    ~FileTree()
    {
        ::nftw(bytes(root()).constData(),
               [](const char* path, const struct stat*, int type, FTW* level) {
                   if (level->level > 0)
                       type == FTW_DP ? ::rmdir(path) : ::unlink(path);
                   return 0;
               },
               16, FTW_DEPTH | FTW_PHYS);
    }

    QString root() const { return dir_.path(); }
    QString path(const QByteArray& relative) const
    {
        return fromNativeFileName(bytes(root()) + '/' + relative);
    }

    void add(std::initializer_list<QByteArray> entries)
    {
        for (const QByteArray& entry : entries) {
            const qsizetype arrow = entry.indexOf(" -> ");
            const QByteArray name = arrow < 0 ? entry : entry.left(arrow);
            makeParents(name);
            const QByteArray full = bytes(root()) + '/' + name;
            int rc = 0;
            if (arrow >= 0)
                rc = ::symlink(entry.mid(arrow + 4).constData(), full.constData());
            else if (name.endsWith('/'))
                rc = ::mkdir(full.constData(), 0777) == 0 || errno == EEXIST ? 0 : -1;
            else
                rc = ::close(::open(full.constData(), O_CREAT | O_WRONLY, 0666));
            EXPECT_EQ(rc, 0) << "cannot make " << entry.constData();
        }
    }

    static QByteArray bytes(const QString& path) { return toNativeFileName(path); }

private:
    void makeParents(const QByteArray& name)
    {
        for (qsizetype slash = name.indexOf('/'); slash > 0 && slash < name.size() - 1;
             slash = name.indexOf('/', slash + 1))
            ::mkdir((bytes(root()) + '/' + name.left(slash)).constData(), 0777);
    }

    QTemporaryDir dir_;
};

// While it lives, a process running as root acts as the user "nobody", so that file permissions
// apply to it as they do to a user (root may read and write everything).
class AsUnprivileged {
public:
    AsUnprivileged() : wasRoot_(::geteuid() == 0) { EXPECT_TRUE(!wasRoot_ || ::seteuid(65534) == 0); }
    ~AsUnprivileged() { EXPECT_TRUE(!wasRoot_ || ::seteuid(0) == 0); }
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;

private:
    const bool wasRoot_;
};
