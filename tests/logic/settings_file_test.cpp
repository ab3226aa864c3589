#include "settings/settings_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = settings_file::path(dir.path());

    SettingsRead readBytes(const QByteArray& bytes)
    {
        putFile(file, bytes);
        return settings_file::read(file);
    }
};

// Top 1200, Left 6000, black, 5145 x 3945 twips: the example file.
const QByteArray exampleFile = "\r\n 1200\r\n 6000\r\n 0\r\n 5145\r\n 3945\r\n";

}  // namespace

// Each case: the file, then what was read, field by field, up to the first error.
TEST_F(SettingsFileTest, ReadsTheValuesBeforeTheFirstError)
{
    using F = std::optional<float>;
    using C = std::optional<std::int32_t>;
    struct Case {
        QByteArray bytes;
        F top, left;
        C colour;
        F width, height;
    };
    const Case cases[] = {
        {exampleFile, 1200, 6000, 0, 5145, 3945},
        {"\n  -15.5  \n\t30\t\n 255 \n1e3\n 0.25\n", -15.5f, 30, 255, 1000, 0.25f},
        {"999\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n", 1, 2, 3, 4, 5},  // first line discarded
        {"\r\n 100, 200\r\n 7\r\n 300\r\n 400\r\n", 100, 200, 7, 300, 400},  // commas end fields
        {"\r\n 1200\r\n 6000\r\n", 1200, 6000, {}, {}, {}},
        {"\r\n 1200\r\n 6000\r\n 16711680\r\n", 1200, 6000, 16711680, {}, {}},  // colour, no size
        {"\r\n 1\r\n 2\r\n red\r\n 4\r\n 5\r\n", 1, 2, {}, {}, {}},
        {"\r\n 1\r\n\r\n 3\r\n 4\r\n 5\r\n", 1, {}, {}, {}, {}},
        {"\r\n 1\r\n 2x\r\n 3\r\n 4\r\n 5\r\n", 1, {}, {}, {}, {}},
        {"\r\n 1\r\n 2\r\n 4294967295\r\n 4\r\n 5\r\n", 1, 2, {}, {}, {}},  // out of range
        {"\r\n 1\r\n 2\r\n 3\r\n 1e39\r\n 5\r\n", 1, 2, 3, {}, {}},
        {"\r\n inf\r\n 2\r\n 3\r\n 4\r\n 5\r\n", {}, {}, {}, {}, {}},
        {"\r\n 1\r\n 2\r\n 2.5\r\n", 1, 2, 2, {}, {}},  // colour halves go to even
        {"\r\n 1\r\n 2\r\n 3.5\r\n", 1, 2, 4, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const SettingsRead r = readBytes(c.bytes);
        EXPECT_EQ(r.top, c.top);
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.backColor, c.colour);
        EXPECT_EQ(r.width, c.width);
        EXPECT_EQ(r.height, c.height);
        EXPECT_EQ(r.complete(), bool(c.height));
    }
    QFile::remove(file);
    const SettingsRead missing = settings_file::read(file);
    EXPECT_FALSE(missing.top || missing.left || missing.backColor || missing.width || missing.height);
}

TEST_F(SettingsFileTest, WriteLayout)
{
    ASSERT_TRUE(settings_file::write(file, {1200, 6000, 0, 5145, 3945}));
    EXPECT_EQ(contentOf(file), exampleFile);
    ASSERT_TRUE(settings_file::write(file, {-15.5f, 1234.5678f, std::int32_t(0x8000000F), 0.1f, -0.0f}));
    EXPECT_EQ(contentOf(file), "\r\n-15.5\r\n 1234.568\r\n-2147483633\r\n 0.1\r\n 0\r\n");
}

TEST_F(SettingsFileTest, WriteThenReadGivesTheSameValues)
{
    const WindowSettings saved{-450.5f, 19200, std::int32_t(0x80000005), 4815.25f, 3615};
    ASSERT_TRUE(settings_file::write(file, saved));
    const SettingsRead r = settings_file::read(file);
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(*r.top, saved.top);
    EXPECT_EQ(*r.left, saved.left);
    EXPECT_EQ(*r.backColor, saved.backColor);  // a system colour comes back as itself
    EXPECT_EQ(*r.width, saved.width);
    EXPECT_EQ(*r.height, saved.height);
}

TEST_F(SettingsFileTest, SavingAgainReplacesTheWholeFile)
{
    ASSERT_TRUE(settings_file::write(file, {-123456.5f, -654321.5f, std::int32_t(0x8000000F), 98765.5f, 56789.5f}));
    const qint64 longer = QFile(file).size();
    ASSERT_TRUE(settings_file::write(file, {1, 2, 3, 4, 5}));
    EXPECT_EQ(contentOf(file), "\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n");
    EXPECT_LT(QFile(file).size(), longer);
    ASSERT_TRUE(settings_file::write(file, {1, 2, 3, 4, 5}));
    EXPECT_EQ(contentOf(file), "\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"reelbox.ini"});  // no leftovers
}

TEST_F(SettingsFileTest, FolderThatDoesNotExist)
{
    const QString nowhere = dir.filePath("gone/reelbox.ini");
    EXPECT_FALSE(settings_file::write(nowhere, {1, 2, 3, 4, 5}));
    EXPECT_FALSE(QFile::exists(nowhere));
}

TEST_F(SettingsFileTest, ReadOnlyFolderKeepsThePreviousFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    putFile(file, exampleFile);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const bool written = settings_file::write(file, {1, 2, 3, 4, 5});
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(file), exampleFile);
}

// A save cut short (here by a file-size limit, which binds root as well) reports failure and
// leaves the previous file complete.
TEST_F(SettingsFileTest, InterruptedSaveKeepsThePreviousFile)
{
    putFile(file, exampleFile);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 8;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const bool written = settings_file::write(file, {1, 2, 3, 4, 5});
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(contentOf(file), exampleFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"reelbox.ini"});
}

TEST_F(SettingsFileTest, ValuesThatCannotBeReadBackAreNotWritten)
{
    putFile(file, exampleFile);
    EXPECT_FALSE(settings_file::write(file, {std::numeric_limits<float>::quiet_NaN(), 2, 3, 4, 5}));
    EXPECT_FALSE(settings_file::write(file, {1, 2, 3, 4, std::numeric_limits<float>::infinity()}));
    EXPECT_EQ(contentOf(file), exampleFile);
}
