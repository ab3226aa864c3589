// The program's own files (list files, reelbox.ini) are read only when they are regular files;
// anything else is skipped like a file that cannot be read, and at once.
#include "playlist/list_reader.h"
#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Gives every reader that opens the FIFO a list line and the first settings value, so a reader
// that waits for a writer returns what it read instead of hanging the test.
class FifoWriter {
public:
    explicit FifoWriter(const QString& path)
        : thread_([this, name = QFile::encodeName(path)] {
              while (!stop_) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd < 0) {  // no reader yet
                      std::this_thread::sleep_for(std::chrono::milliseconds(1));
                      continue;
                  }
                  const char text[] = "\r\n1200\r\n";
                  [[maybe_unused]] const ssize_t n = ::write(fd, text, sizeof text - 1);
                  ::close(fd);
              }
          })
    {
    }
    ~FifoWriter()
    {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace

TEST(OwnFiles, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.vep");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    FifoWriter writer(fifo);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.vep"));

    for (const QString& path : {fifo, QStringLiteral("/dev/null"), dir.filePath("folder.vep")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_FALSE(list_reader::readFields(path).has_value());
        EXPECT_FALSE(settings_file::read(path).top.has_value());
    }
}
