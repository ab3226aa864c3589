#include "playlist/list_reader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace list_reader;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.filePath("list.vep");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

}  // namespace

TEST(ListFields, OneFieldPerLineWithEitherLineEnd)
{
    EXPECT_EQ(fields("/m/a.mpg=a.mpg\r\n/m/b.dat=B\r\n"), (QStringList{"/m/a.mpg=a.mpg", "/m/b.dat=B"}));
    EXPECT_EQ(fields("/m/a.mpg=a\n/m/b.dat=b\n"), (QStringList{"/m/a.mpg=a", "/m/b.dat=b"}));
    EXPECT_EQ(fields("/m/a.mpg=a\r\n/m/b.dat=b"), (QStringList{"/m/a.mpg=a", "/m/b.dat=b"}));
    EXPECT_EQ(fields(""), QStringList{});
}

TEST(ListFields, CommaEndsAField)
{
    EXPECT_EQ(fields("/m/a,b.mpg=a,b.mpg\r\n"), (QStringList{"/m/a", "b.mpg=a", "b.mpg"}));
    EXPECT_EQ(fields("/m/a.mpg=a,\r\n"), (QStringList{"/m/a.mpg=a", ""}));
}

TEST(ListFields, LeadingSpacesSkippedTrailingKept)
{
    EXPECT_EQ(fields("   /m/a.mpg=a\r\n"), QStringList{"/m/a.mpg=a"});
    EXPECT_EQ(fields("/m/a.mpg=name  \r\n"), QStringList{"/m/a.mpg=name  "});
    EXPECT_EQ(fields("a=b,   c=d\r\n"), (QStringList{"a=b", "c=d"}));
}

TEST(ListFields, QuotedFieldRunsToTheClosingQuote)
{
    EXPECT_EQ(fields("\"/m/a,b.mpg=x, y\"\r\n/m/c=c\r\n"), (QStringList{"/m/a,b.mpg=x, y", "/m/c=c"}));
    // What follows the closing quote up to the next comma is dropped.
    EXPECT_EQ(fields("\"ab\"cd,ef\r\n"), (QStringList{"ab", "ef"}));
    EXPECT_EQ(fields("  \" a=b \"\r\n"), QStringList{" a=b "});
    // An unclosed quote ends with its line, so the next line is still an entry of its own.
    EXPECT_EQ(fields("\"abc\r\nnext=n\r\n"), (QStringList{"abc", "next=n"}));
}

TEST(ListFields, BlankLinesAreSkipped)
{
    EXPECT_EQ(fields("a=b\r\n\r\n   \r\nc=d\r\n\r\n"), (QStringList{"a=b", "c=d"}));
    EXPECT_EQ(fields("\n\na=b"), QStringList{"a=b"});
}

TEST(ListFields, ALoneCarriageReturnIsText)
{
    EXPECT_EQ(fields("a\rb=c\r\n"), QStringList{"a\rb=c"});
}

TEST(ListReadFields, MissingFileGivesNothing)
{
    QTemporaryDir dir;
    EXPECT_FALSE(readFields(dir.filePath("absent.vep")).has_value());
}

TEST(ListReadFields, Utf8File)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QString::fromUtf8("/動画/旅行.mpg=旅行\r\n/m/b.avi=ﾃｽﾄ\r\n").toUtf8());
    EXPECT_EQ(readFields(path), (QStringList{QString::fromUtf8("/動画/旅行.mpg=旅行"), QString::fromUtf8("/m/b.avi=ﾃｽﾄ")}));
}

TEST(ListReadFields, ByteOrderMarkIsDropped)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, "\xEF\xBB\xBF/m/a.mpg=a\r\n");
    EXPECT_EQ(readFields(path), QStringList{"/m/a.mpg=a"});
}

TEST(ListReadFields, Cp932File)
{
    QTemporaryDir dir;
    // "テスト" and half-width "ﾃｽﾄ" in CP932; 0x83 0x5C ("ソ") carries a backslash byte.
    const QString path = writeFile(dir, "C:\\\x83\x65\x83\x58\x83\x67.mpg=\xC3\xBD\xC4\r\n/m/\x83\x5C.dat=\x83\x5C\r\n");
    EXPECT_EQ(readFields(path), (QStringList{QString::fromUtf8("C:\\テスト.mpg=ﾃｽﾄ"), QString::fromUtf8("/m/ソ.dat=ソ")}));
}

// A CP932 line can be valid UTF-8 by accident; the encoding is decided for the whole file.
TEST(ListReadFields, EncodingDecidedForTheWholeFile)
{
    QTemporaryDir dir;
    // Line 1 alone reads as UTF-8 "é"; in CP932 it is "ﾃｩ". Line 2 is CP932 only.
    const QString path = writeFile(dir, "/m/a.mpg=\xC3\xA9\r\n/m/b.mpg=\x83\x65\r\n");
    EXPECT_EQ(readFields(path), (QStringList{QString::fromUtf8("/m/a.mpg=ﾃｩ"), QString::fromUtf8("/m/b.mpg=テ")}));
}

TEST(StartupEntry, PathBeforeFirstEqualsNameAfterLast)
{
    struct Case {
        const char* field;
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/m/trip.mpg=Trip", "/m/trip.mpg", "Trip"},
        {"x=y", "x", "y"},
        {"a=b=c", "a", "c"},
        {"=title", "ErrorList", "ErrorList"},
        {"=a=b", "ErrorList", "b"},
        {"=", "ErrorList", "ErrorList"},
        {"no equals", "ErrorList", "ErrorList"},
        {"", "ErrorList", "ErrorList"},
        {"path=", "path", "ErrorList"},
        {"a=b=", "a", "ErrorList"},
        {"a==", "a", "ErrorList"},
    };
    for (const Case& c : cases) {
        const Entry entry = startupEntry(QString::fromLatin1(c.field));
        EXPECT_EQ(entry.path, QString::fromLatin1(c.path)) << c.field;
        EXPECT_EQ(entry.name, QString::fromLatin1(c.name)) << c.field;
    }
}
