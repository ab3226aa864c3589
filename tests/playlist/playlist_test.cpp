// The list itself, what a file is, reading list files, and the program's own files (list files,
// reelbox.ini): those are read only when they are regular files; anything else is skipped like a
// file that cannot be read, and at once.
// Checks: playlist.cpp, file_kind.cpp, list_reader.cpp (src/playlist); text_file.cpp,
// settings_file.cpp (src/settings).
#include "playlist/playlist.h"

#include "controls/list_box.h"
#include "platform/native_file_name.h"
#include "playlist/file_kind.h"
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

using namespace list_reader;

namespace {

// playlist.cpp: the list.
TEST(PlaylistTest, AppendKeepsBothListsInStepUpToTheLimitAndOpensNothing)
{
    // List1 and List2 as the control window has them; every List2 Click is counted.
    int clicks = 0;
    ListBox List1, List2;
    Playlist playlist{List1, List2};
    QObject::connect(&List2, &ListBox::Click, [&] { ++clicks; });
    ASSERT_TRUE(playlist.append("/m/a.mpg"));
    ASSERT_TRUE(playlist.append("/m/a.mpg"));  // duplicates are separate entries
    ASSERT_TRUE(playlist.append("/m/c.avi", "Custom"));
    for (int i = 3; i < Playlist::MaxEntries; ++i)
        ASSERT_TRUE(playlist.append(QStringLiteral("/m/%1.mpg").arg(i)));
    EXPECT_FALSE(playlist.append("/m/one-too-many.mpg"));
    EXPECT_EQ(QStringList({playlist.name(0), playlist.name(1), playlist.name(2), playlist.name(3),
                  playlist.path(1), playlist.path(2), playlist.path(Playlist::MaxEntries - 1)}),
        QStringList({"a.mpg", "a.mpg", "Custom", "3.mpg", "/m/a.mpg", "/m/c.avi", "/m/32766.mpg"}));
    EXPECT_EQ(std::tuple(List1.ListCount(), List2.ListCount(), List2.ListIndex(), clicks),
        std::tuple(Playlist::MaxEntries, Playlist::MaxEntries, -1, 0));
}

// file_kind.cpp: what a file is.

// What a file is goes by its last four characters, whatever their case; shorter names are none.
// The other containers go by the extension after the last dot, ASCII case ignored.
TEST(FileKindTest, LastFourAsciiCharactersIgnoringCase)
{
    const std::pair<const char*, FileKind> cases[] = {{"a.dat", FileKind::MpegVideo},
        {"A.DAT", FileKind::MpegVideo}, {"/m/T.MPG", FileKind::MpegVideo},
        {"clip.mpeg", FileKind::MpegVideo}, {"xmpeg", FileKind::MpegVideo},
        {"x.Avi", FileKind::AviVideo}, {".Vep", FileKind::ListFile},
        {"vcd.Cue", FileKind::DiscImage}, {"a.mp4", FileKind::OtherVideo}, {"", FileKind::Other},
        {"dat", FileKind::Other}, {"a.mpg.txt", FileKind::Other},
        {"/m/B.MKV", FileKind::OtherVideo}, {"d.M2ts", FileKind::OtherVideo},
        {".ts", FileKind::OtherVideo}, {"mp4", FileKind::Other}, {"a.mp4.txt", FileKind::Other},
        {"a.m4a", FileKind::Other}, {"/m.mkv/x", FileKind::Other}, {"a.m\u212Av", FileKind::Other}};
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(fileKindOf(QString::fromUtf8(path)), kind) << path;
}

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    QFile file(dir.filePath("list.vep"));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    return file.fileName();
}

// list_reader.cpp: reading list files.

// Every field of the file; nothing when it cannot be read.
std::optional<QStringList> readFields(const QString& path)
{
    QStringList all;
    if (!list_reader::readFields(path, [&](const QString& field) {
            all << field;
            return true;
        }))
        return std::nullopt;
    return all;
}

TEST(ListFields, FieldRules)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"/m/a.mpg=a.mpg\r\n/m/b.dat=B\r\n", {"/m/a.mpg=a.mpg", "/m/b.dat=B"}},
        // A comma ends a field.
        {"/m/a,b.mpg=a,b.mpg\r\n", {"/m/a", "b.mpg=a", "b.mpg"}},
        // Leading blanks are skipped.
        {"   /m/a.mpg=a\r\n", {"/m/a.mpg=a"}},
        {"a=b,   c=d\r\n", {"a=b", "c=d"}},
        // A quoted field runs to the closing quote; what follows it up to the next comma is
        // dropped; an unclosed quote ends with its line.
        {"\"/m/a,b.mpg=x, y\"\r\n/m/c=c\r\n", {"/m/a,b.mpg=x, y", "/m/c=c"}},
        {"\"ab\"cd,ef\r\n", {"ab", "ef"}},
        {"\"abc\r\nnext=n\r\n", {"abc", "next=n"}},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(fields(QString::fromLatin1(text)), expected);
    }
}

TEST(ListReadFields, EncodingsAndMissingFile)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readFields(dir.filePath("absent.vep")).has_value());

    const std::pair<QByteArray, QStringList> cases[] = {
        {QString::fromUtf8("/動画/旅行.mpg=旅行\r\n/m/b.avi=ﾃｽﾄ\r\n").toUtf8(),
            {QString::fromUtf8("/動画/旅行.mpg=旅行"), QString::fromUtf8("/m/b.avi=ﾃｽﾄ")}},
        // CP932 "テスト" and half-width "ﾃｽﾄ"; 0x83 0x5C ("ソ") carries a backslash byte.
        {"C:\\\x83\x65\x83\x58\x83\x67.mpg=\xC3\xBD\xC4\r\n/m/\x83\x5C.dat=\x83\x5C\r\n",
            {QString::fromUtf8("C:\\テスト.mpg=ﾃｽﾄ"), QString::fromUtf8("/m/ソ.dat=ソ")}},
        // Neither UTF-8 nor CP932 (a file name in Latin-1 written as it is): its bytes are kept.
        {"/m/l\xE9gende.mpg=l\xE9gende.mpg\r\n/m/\xFF.dat=\xFF.dat\r\n",
            {fromNativeFileName("/m/l\xE9gende.mpg=l\xE9gende.mpg"),
                fromNativeFileName("/m/\xFF.dat=\xFF.dat")}},
        // After a byte-order mark, UTF-8 whatever the bytes: Shift-JIS bytes of a name are kept,
        // not read as CP932 (the program writes names that are not UTF-8 so).
        {"\xEF\xBB\xBF/m/\x93\xFA\x96\x7B.mpg=\x93\xFA\x96\x7B\r\n/m/\x83\x5C=\xE9\r\n",
            {fromNativeFileName("/m/\x93\xFA\x96\x7B.mpg=\x93\xFA\x96\x7B"),
                fromNativeFileName("/m/\x83\x5C=\xE9")}},
        // A line up to 64 KiB; a longer one is no list line and ends the reading. A field over
        // 4096 bytes keeps 4096 of its path and of its name; a character cut in two keeps its
        // bytes.
        {"/m/" + QByteArray(60000, 'x') + "=" + QByteArray(5000, 'n') + "\r\n",
            {"/m/" + QString(4093, u'x') + "=" + QString(4096, u'n')}},
        {"//" + QString(1400, u'あ').toUtf8() + "=a\n",
            {fromNativeFileName(("//" + QString(1400, u'あ').toUtf8()).left(4096)) + "=a"}},
        {QByteArray(5000, 'x') + "\n", {QString(4096, u'x')}},
        {"/m/a=a\r\n/m/" + QByteArray(300000, 'x') + ".mpg=x\r\n/m/b=b\r\n", {"/m/a=a"}},
        {"/m/a=a\n" + QByteArray(3 << 20, '\0'), {"/m/a=a"}},
        // A byte-order mark is dropped wherever a line starts.
        {"\xEF\xBB\xBF/m/a=a\r\n\xEF\xBB\xBF/m/b=b\r\n", {"/m/a=a", "/m/b=b"}},
        // Blank lines count against the line limit: reading ends there.
        {QByteArray(Playlist::MaxEntries, '\n') + "/m/a=a\n", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_EQ(readFields(writeFile(dir, bytes)), expected);
    }
    // Reading ends with a full playlist's worth of fields.
    QByteArray many;
    for (int i = 0; i < 40000; ++i)
        many += "/m/" + QByteArray::number(i) + "=a,b\r\n";
    const std::optional<QStringList> full = readFields(writeFile(dir, many));
    ASSERT_TRUE(full);
    EXPECT_EQ(
        std::pair(full->size(), full->last()), std::pair(qsizetype(32767), QString("/m/16383=a")));
    // ... and before the line that would pass the byte limit (here 258 lines of 65,001 bytes).
    const QByteArray line = "/m/" + QByteArray(64994, 'x') + "=n\r\n";
    const std::optional<QStringList> cut = readFields(writeFile(dir, line.repeated(300)));
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->size(), FileLimits.bytes / line.size());
}

// The three readers' rules for one field, as "path|name": start-up (never stops), the open button
// (stops at a field without "="), Video-CD naming (names only).
TEST(ListEntryRules, EachReaderKeepsItsOwnRule)
{
    const struct {
        const char *field, *startup, *open, *trackName;
    } cases[] = {
        {"=title", "ErrorList|ErrorList", "|title", "title"},
        {"no equals", "ErrorList|ErrorList", "stop", "ErrorList"},
        {"path=", "path|ErrorList", "path|", "ErrorList"},
    };
    const auto text = [](const Entry& e) { return e.path + u'|' + e.name; };
    for (const auto& c : cases) {
        const QString field = QString::fromLatin1(c.field);
        const std::optional<Entry> opened = listEntry(field);
        EXPECT_EQ(QStringList({text(startupEntry(field)), opened ? text(*opened) : "stop",
                      trackName(field)}),
            QStringList({c.startup, c.open, c.trackName}))
            << c.field;
    }
}

// The program's own files, list files and reelbox.ini (src/settings/text_file.cpp).
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

}  // namespace
