#include "file_tree.h"
#include "playlist/file_error_number.h"
#include "settings/file_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

const QByteArray Previous = "previous\r\n";
const QByteArray Next = "/m/a.mpg=a.mpg\r\n";
const QByteArray NoFile = "<no file>";

QByteArray contents(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : NoFile;
}

// Lowers the largest file this process may write (the system's "file too large" limit, which
// acts like a full disk) while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

}  // namespace

TEST(FileErrorNumber, EveryErrnoRow)
{
    const std::pair<int, int> rows[] = {
        {ENOENT, 53},  {ESTALE, 53},  {EIO, 57},     {ENOSPC, 61},     {EDQUOT, 61},
        {EFBIG, 61},   {EMFILE, 67},  {ENFILE, 67},  {ENXIO, 68},      {ENODEV, 68},
        {EPERM, 70},   {ENOMEDIUM, 71}, {EAGAIN, 71}, {EACCES, 75},    {EROFS, 75},
        {ETXTBSY, 75}, {EBUSY, 75},   {EISDIR, 75},  {EINVAL, 75},     {ENOTDIR, 76},
        {ENAMETOOLONG, 76}, {ELOOP, 76},
    };
    for (const auto& [err, number] : rows)
        EXPECT_EQ(fileErrorNumber(err), number) << "errno " << err;
}

// Each case: the file saved, the modes given to the tree before the save (which runs as an
// unprivileged user), the errno expected (0: saved) and what the file holds afterwards.
TEST(SaveFile, ReplacesOrKeepsThePreviousFile)
{
    struct Case {
        const char* what;
        QByteArray target;
        std::vector<std::pair<QByteArray, mode_t>> modes;
        int expected;
        QByteArray after;
    };
    const Case cases[] = {
        {"new file", "new.vep", {}, 0, Next},
        {"replaces an old file", "old.vep", {}, 0, Next},
        {"folder missing", "gone/x.vep", {}, ENOENT, NoFile},
        {"a folder by that name", "dir.vep", {}, EISDIR, NoFile},
        {"write-protected file", "old.vep", {{"old.vep", 0444}}, EACCES, Previous},
        {"folder not writable, new file", "ro/new.vep", {{"ro", 0555}}, EACCES, NoFile},
        // The file itself may be written: rewritten in place.
        {"folder not writable, file writable", "ro/old.vep", {{"ro", 0555}}, 0, Next},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FileTree tree;
        tree.add({"dir.vep/", "ro/"});
        for (const char* old : {"old.vep", "ro/old.vep"}) {
            QFile file(tree.path(old));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(Previous);
            ::chmod(FileTree::bytes(file.fileName()).constData(), 0666);
        }
        for (const auto& [name, mode] : c.modes)
            ::chmod(FileTree::bytes(tree.path(name)).constData(), mode);
        const QString target = tree.path(c.target);
        int result = -1;
        {
            AsUnprivileged user;
            result = saveFile(target, Next);
        }
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(contents(target), c.after);
    }
}

TEST(SaveFile, AFailedWriteLeavesThePreviousFile)
{
    FileTree tree;
    const QString target = tree.path("list.vep");
    ASSERT_EQ(saveFile(target, Previous), 0);
    const QByteArray big(64 * 1024, 'x');
    int result = 0;
    {
        FileSizeLimit limit(4096);
        result = saveFile(target, big);
    }
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(contents(target), Previous);
    EXPECT_EQ(QDir(tree.root()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.vep"});
}
