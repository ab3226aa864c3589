// Checks: settings_file.cpp, text_file.cpp, file_save.cpp (src/settings).
#include "settings/settings_file.h"

#include "file_tree.h"
#include "media_clips.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gmock/gmock.h>

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file = settings_file::writePath(dir.path());
};

// Top 1200, Left 6000, black, 5145 x 3945 twips: the example file.
const QByteArray exampleFile = "\r\n 1200\r\n 6000\r\n 0\r\n 5145\r\n 3945\r\n";

}  // namespace

// Each case: the file (none: no file at all), then what was read, field by field, up to the
// first error.
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
        {"999\r\n 1\r\n 2\r\n 3\r\n 4\r\n 5\r\n", 1, 2, 3, 4, 5},  // first line discarded
        {"\r\n 100, 200\r\n 7\r\n 300\r\n 400\r\n", 100, 200, 7, 300, 400},  // commas end fields
        {"\r\n 1200\r\n 6000\r\n", 1200, 6000, {}, {}, {}},
        {"\r\n 1\r\n 2\r\n red\r\n 4\r\n 5\r\n", 1, 2, {}, {}, {}},
        {"\r\n 1\r\n\r\n 3\r\n 4\r\n 5\r\n", 1, {}, {}, {}, {}},
        {"\r\n 1\r\n 2\r\n 4294967295\r\n 4\r\n 5\r\n", 1, 2, {}, {}, {}},  // out of range
        {"\r\n 1\r\n 2\r\n 3\r\n 1e39\r\n 5\r\n", 1, 2, 3, {}, {}},
        {"\r\n inf\r\n 2\r\n 3\r\n 4\r\n 5\r\n", {}, {}, {}, {}, {}},
        {"\r\n 1\r\n 2\r\n 2.5\r\n", 1, 2, 2, {}, {}},  // colour halves go to even
        {QByteArray(), {}, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        ASSERT_TRUE(c.bytes.isNull() ? QFile::remove(file) : MediaClips::writeFile(file, c.bytes));
        const SettingsRead r = settings_file::read(file);
        EXPECT_THAT(std::tuple(r.top, r.left, r.backColor, r.width, r.height, r.complete()),
            testing::FieldsAre(c.top, c.left, c.colour, c.width, c.height, bool(c.height)));
    }
}

// Each save replaces the whole file (a shorter one never keeps the longer one's tail, nothing is
// left beside it), in the layout the reader reads back to the same file; a value that could not
// be read back is refused and the old file kept.
TEST_F(SettingsFileTest, WritesTheWholeFileInTheLayoutItReads)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(),
                inf = std::numeric_limits<float>::infinity();
    const std::pair<WindowSettings, const char*> cases[] = {
        {{-450.5f, 19200, std::int32_t(0x80000005), 4815.25f, 3615},
            "\r\n-450.5\r\n 19200\r\n-2147483643\r\n 4815.25\r\n 3615\r\n"},
        {{1200, 6000, 0, 5145, 3945}, exampleFile.constData()},
        {{-15.5f, 1234.5678f, std::int32_t(0x8000000F), 0.1f, -0.0f},
            "\r\n-15.5\r\n 1234.568\r\n-2147483633\r\n 0.1\r\n 0\r\n"},
        {{nan, 2, 3, 4, 5}, nullptr},
        {{1, 2, 3, 4, inf}, nullptr},
    };
    QByteArray expected;
    for (const auto& [values, text] : cases) {
        SCOPED_TRACE(testing::Message() << values.top << " " << values.height);
        EXPECT_EQ(settings_file::write(file, values), text != nullptr);
        expected = text ? QByteArray(text) : expected;
        EXPECT_EQ(MediaClips::readFile(file), expected);
        const SettingsRead r = settings_file::read(file);
        ASSERT_TRUE(r.complete());
        ASSERT_TRUE(
            settings_file::write(file, {*r.top, *r.left, *r.backColor, *r.width, *r.height}));
        EXPECT_EQ(MediaClips::readFile(file), expected);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"reelbox.ini"});
}

// Failed saves (missing folder, read-only folder, a write cut short) are saveFile()'s, tested
// with the list files' saves.

// Where reelbox.ini is read and written: beside the program while its folder takes new files;
// else written in the config folder and read there once it holds one, until then beside the
// program. A program under /usr always writes to the config folder, even as root.
TEST(SettingsFilePlace, BesideTheProgramOrInTheConfigFolder)
{
    FileTree tree;
    tree.add({"config/", "portable/", "installed/reelbox.ini"});
    tree.chmod("installed", 0555);
    tree.chmod("config", 0777);
    tree.chmod("portable", 0777);
    qputenv("XDG_CONFIG_HOME", tree.path("config").toUtf8());
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                           QStringLiteral("/reelbox.ini");
    const auto places = [&](const QString& dir) {
        AsUnprivileged user(dir != "/usr/bin");  // root may write into /usr/bin
        return std::pair(settings_file::readPath(dir), settings_file::writePath(dir));
    };
    const QString portable = tree.path("portable"), installed = tree.path("installed");
    EXPECT_EQ(places(portable), std::pair(portable + "/reelbox.ini", portable + "/reelbox.ini"));
    EXPECT_EQ(places(installed), std::pair(installed + "/reelbox.ini", config));
    EXPECT_EQ(places("/usr/bin"), std::pair(QString("/usr/bin/reelbox.ini"), config));
    ASSERT_TRUE(MediaClips::writeFile(config, exampleFile));
    EXPECT_EQ(places(installed), std::pair(config, config));
    EXPECT_EQ(places("/usr/bin"), std::pair(config, config));
    qunsetenv("XDG_CONFIG_HOME");
}
