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

TEST(SettingsFilePath, InTheProgramFolder)
{
    EXPECT_EQ(settings_file::path("/opt/reelbox"), "/opt/reelbox/reelbox.ini");
}

TEST_F(SettingsFileTest, MissingFileReadsNothing)
{
    const SettingsRead r = settings_file::read(file);
    EXPECT_FALSE(r.top || r.left || r.backColor || r.width || r.height);
    EXPECT_FALSE(r.complete());
}

TEST_F(SettingsFileTest, ReadsTheFiveValues)
{
    const SettingsRead r = readBytes(exampleFile);
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(*r.top, 1200.0f);
    EXPECT_EQ(*r.left, 6000.0f);
    EXPECT_EQ(*r.backColor, 0);
    EXPECT_EQ(*r.width, 5145.0f);
    EXPECT_EQ(*r.height, 3945.0f);
}

TEST_F(SettingsFileTest, BlanksAroundNumbersAndLfLineEnds)
{
    const SettingsRead r = readBytes("\n  -15.5  \n\t30\t\n 255 \n1e3\n 0.25\n");
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(*r.top, -15.5f);
    EXPECT_EQ(*r.left, 30.0f);
    EXPECT_EQ(*r.backColor, 255);
    EXPECT_EQ(*r.width, 1000.0f);
    EXPECT_EQ(*r.height, 0.25f);
}

TEST_F(SettingsFileTest, FirstLineIsDiscardedWhateverItHolds)
{
    const SettingsRead r = readBytes("999\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n");
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(*r.top, 1.0f);
    EXPECT_EQ(*r.height, 5.0f);
}

// Fields end at commas too, so values may share a line.
TEST_F(SettingsFileTest, CommaSeparatedValues)
{
    const SettingsRead r = readBytes("\r\n 100, 200\r\n 7\r\n 300\r\n 400\r\n");
    ASSERT_TRUE(r.complete());
    EXPECT_EQ(*r.top, 100.0f);
    EXPECT_EQ(*r.left, 200.0f);
    EXPECT_EQ(*r.backColor, 7);
    EXPECT_EQ(*r.height, 400.0f);
}

TEST_F(SettingsFileTest, OnlyTopAndLeft)
{
    const SettingsRead r = readBytes("\r\n 1200\r\n 6000\r\n");
    EXPECT_EQ(r.top, 1200.0f);
    EXPECT_EQ(r.left, 6000.0f);
    EXPECT_FALSE(r.backColor || r.width || r.height);
}

TEST_F(SettingsFileTest, ColourButNoSize)
{
    const SettingsRead r = readBytes("\r\n 1200\r\n 6000\r\n 16711680\r\n");
    EXPECT_EQ(r.backColor, 16711680);
    EXPECT_FALSE(r.width || r.height);
    EXPECT_FALSE(r.complete());
}

TEST_F(SettingsFileTest, ReadingStopsAtTheFirstBadValue)
{
    // A bad colour: the valid sizes behind it are not read.
    const SettingsRead notNumber = readBytes("\r\n 1\r\n 2\r\n red\r\n 4\r\n 5\r\n");
    EXPECT_EQ(notNumber.left, 2.0f);
    EXPECT_FALSE(notNumber.backColor || notNumber.width || notNumber.height);

    const SettingsRead empty = readBytes("\r\n 1\r\n\r\n 3\r\n 4\r\n 5\r\n");
    EXPECT_EQ(empty.top, 1.0f);
    EXPECT_FALSE(empty.left || empty.backColor);

    const SettingsRead trailing = readBytes("\r\n 1\r\n 2x\r\n 3\r\n 4\r\n 5\r\n");
    EXPECT_FALSE(trailing.left);
}

TEST_F(SettingsFileTest, OutOfRangeValuesStopTheReading)
{
    const SettingsRead colour = readBytes("\r\n 1\r\n 2\r\n 4294967295\r\n 4\r\n 5\r\n");
    EXPECT_EQ(colour.left, 2.0f);
    EXPECT_FALSE(colour.backColor || colour.width);

    const SettingsRead single = readBytes("\r\n 1\r\n 2\r\n 3\r\n 1e39\r\n 5\r\n");
    EXPECT_EQ(single.backColor, 3);
    EXPECT_FALSE(single.width || single.height);

    const SettingsRead notFinite = readBytes("\r\n inf\r\n 2\r\n 3\r\n 4\r\n 5\r\n");
    EXPECT_FALSE(notFinite.top);
}

TEST_F(SettingsFileTest, ColourRoundsHalvesToEven)
{
    EXPECT_EQ(readBytes("\r\n 1\r\n 2\r\n 2.5\r\n").backColor, 2);
    EXPECT_EQ(readBytes("\r\n 1\r\n 2\r\n 3.5\r\n").backColor, 4);
}

TEST_F(SettingsFileTest, WritesTheExampleFile)
{
    ASSERT_TRUE(settings_file::write(file, {1200, 6000, 0, 5145, 3945}));
    EXPECT_EQ(contentOf(file), exampleFile);
}

TEST_F(SettingsFileTest, NumberLayout)
{
    const std::int32_t buttonFace = std::int32_t(0x8000000F);
    ASSERT_TRUE(settings_file::write(file, {-15.5f, 1234.5678f, buttonFace, 0.1f, -0.0f}));
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
    const QString nowhere = settings_file::path(dir.filePath("gone"));
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
