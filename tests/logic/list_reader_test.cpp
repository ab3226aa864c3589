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

TEST(ListFields, FieldRules)
{
    const std::pair<const char*, QStringList> cases[] = {
        // Either line end; no fields in an empty text.
        {"/m/a.mpg=a.mpg\r\n/m/b.dat=B\r\n", {"/m/a.mpg=a.mpg", "/m/b.dat=B"}},
        {"/m/a.mpg=a\n/m/b.dat=b\n", {"/m/a.mpg=a", "/m/b.dat=b"}},
        {"/m/a.mpg=a\r\n/m/b.dat=b", {"/m/a.mpg=a", "/m/b.dat=b"}},
        {"", {}},
        // A comma ends a field.
        {"/m/a,b.mpg=a,b.mpg\r\n", {"/m/a", "b.mpg=a", "b.mpg"}},
        {"/m/a.mpg=a,\r\n", {"/m/a.mpg=a", ""}},
        // Leading blanks are skipped, trailing ones kept.
        {"   /m/a.mpg=a\r\n", {"/m/a.mpg=a"}},
        {"/m/a.mpg=name  \r\n", {"/m/a.mpg=name  "}},
        {"a=b,   c=d\r\n", {"a=b", "c=d"}},
        // A quoted field runs to the closing quote; what follows it up to the next comma is
        // dropped; an unclosed quote ends with its line.
        {"\"/m/a,b.mpg=x, y\"\r\n/m/c=c\r\n", {"/m/a,b.mpg=x, y", "/m/c=c"}},
        {"\"ab\"cd,ef\r\n", {"ab", "ef"}},
        {"  \" a=b \"\r\n", {" a=b "}},
        {"\"abc\r\nnext=n\r\n", {"abc", "next=n"}},
        // Blank lines are skipped; a lone carriage return is text.
        {"a=b\r\n\r\n   \r\nc=d\r\n\r\n", {"a=b", "c=d"}},
        {"\n\na=b", {"a=b"}},
        {"a\rb=c\r\n", {"a\rb=c"}},
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
        {"\xEF\xBB\xBF/m/a.mpg=a\r\n", {"/m/a.mpg=a"}},  // byte-order mark dropped
        // CP932 "テスト" and half-width "ﾃｽﾄ"; 0x83 0x5C ("ソ") carries a backslash byte.
        {"C:\\\x83\x65\x83\x58\x83\x67.mpg=\xC3\xBD\xC4\r\n/m/\x83\x5C.dat=\x83\x5C\r\n",
         {QString::fromUtf8("C:\\テスト.mpg=ﾃｽﾄ"), QString::fromUtf8("/m/ソ.dat=ソ")}},
        // Line 1 alone reads as UTF-8 "é"; line 2 is CP932 only: the encoding is decided for
        // the whole file.
        {"/m/a.mpg=\xC3\xA9\r\n/m/b.mpg=\x83\x65\r\n",
         {QString::fromUtf8("/m/a.mpg=ﾃｩ"), QString::fromUtf8("/m/b.mpg=テ")}},
    };
    for (const auto& [bytes, expected] : cases) {
        SCOPED_TRACE(bytes.toStdString());
        EXPECT_EQ(readFields(writeFile(dir, bytes)), expected);
    }
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
