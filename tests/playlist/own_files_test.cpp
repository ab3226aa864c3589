// The program's own files (list files, reelbox.ini) are read only when they are regular files;
// anything else is skipped like a file that cannot be read, and at once.
#include "playlist/list_reader.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

TEST(OwnFiles, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.vep");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.vep"));
    // A reader that opens the FIFO gets a list line and a settings value, rather than waiting
    // for a writer forever. Opening for writing fails while nobody reads.
    std::atomic<bool> done = false;
    std::thread writer([&done, name = QFile::encodeName(fifo)] {
        while (!done) {
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                [[maybe_unused]] const ssize_t n = ::write(fd, "\r\n1200\r\n", 8);
                ::close(fd);
            }
            std::this_thread::yield();
        }
    });

    for (const QString& path : {fifo, QStringLiteral("/dev/null"), dir.filePath("folder.vep")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(list_reader::readFields(path, [](const QString&) { return true; }));
        EXPECT_FALSE(settings_file::read(path).top.has_value());
    }
    done = true;
    writer.join();
}
