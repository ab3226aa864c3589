// Checks: command_line.cpp (src/app).
#include "app/command_line.h"
#include "platform/native_file_name.h"

#include <gtest/gtest.h>

using namespace command_line;

TEST(CommandLineParse, SplittingRules)
{
    struct Case {
        const char* line;
        Parsed::Kind kind;
        QStringList tokens;
        bool videoCd = false;
        const char* rest = "";
    };
    const Case cases[] = {
        {"", Parsed::Empty, {}},
        {"1", Parsed::VideoCdOnly, {}},
        {"/movies/trip.mpg", Parsed::SingleToken, {"/movies/trip.mpg"}},
        {"\"/my movies/trip.mpg\"", Parsed::SingleToken, {"/my movies/trip.mpg"}},
        {"/m/a.mpg /m/b.avi", Parsed::Tokens, {"/m/a.mpg", "/m/b.avi"}},
        {"\"/m/a b.mpg\" \"/m/c d.avi\"", Parsed::Tokens, {"/m/a b.mpg", "/m/c d.avi"}},
        // With a quote anywhere, only quote + blank separates and every token loses its first
        // and last character: mixing quoted and plain paths yields no usable file.
        {"\"/m/a b.mpg\" /m/c.mpg", Parsed::Tokens, {"/m/a b.mpg", "m/c.mp"}},
        {"/m/a.mpg \"/m/b c.mpg\"", Parsed::SingleToken, {"m/a.mpg \"/m/b c.mpg"}},
        // The switch keeps the tokens before it; everything behind it is left unexamined.
        {"1 list.vep", Parsed::Tokens, {}, true, "list.vep"},
        {"/m/a.mpg 1 names.vep /m/b.mpg", Parsed::Tokens, {"/m/a.mpg"}, true, "names.vep /m/b.mpg"},
        {"\"1\" \"my names.vep\"", Parsed::Tokens, {}, true, "\"my names.vep\""},
        {"/m/a.mpg 1", Parsed::Tokens, {"/m/a.mpg", "1"}},  // last place: an ordinary token
        // Token lengths that come out negative give empty tokens instead of failing.
        {"\"", Parsed::SingleToken, {""}},
        {"\"a.mpg\" ", Parsed::Tokens, {"a.mpg", ""}},
        {"\"a.mpg\" \" \"b.mpg\"", Parsed::Tokens, {"a.mpg", "", "b.mpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed p = parse(QString::fromLatin1(c.line));
        EXPECT_EQ(std::tuple(p.kind, p.tokens, p.videoCdSwitch, p.rest),
            std::tuple(c.kind, c.tokens, c.videoCd, QString::fromLatin1(c.rest)));
    }
}

// Blanks between arguments; with a blank or a quote in any of them, quotes around each. The files come back
// from parse as given, whatever mix a file manager passes; behind the Video-CD switch the rest
// stays as it is.
TEST(CommandLineJoin, BlanksBetweenQuotesAroundAllAndParsedBack)
{
    const struct {
        QStringList args;
        const char* line;
        const char* rest = "";  // behind the switch; the tokens are the arguments before it
    } cases[] = {{{"/m/a.mpg", "/m/b.avi", "/l/c.vep"}, "/m/a.mpg /m/b.avi /l/c.vep"},
        {{"/my movies/a.mpg", "/my movies/b c.dat"}, "\"/my movies/a.mpg\" \"/my movies/b c.dat\""},
        {{"/x/clip.mpg", "/x/my clip.mpg"}, "\"/x/clip.mpg\" \"/x/my clip.mpg\""},
        {{"/x/my clip.mpg", "/x/clip.mpg", "/l/c.vep"},
            "\"/x/my clip.mpg\" \"/x/clip.mpg\" \"/l/c.vep\""},
        {{"/x/a b.mpg", "1"}, "\"/x/a b.mpg\" \"1\""},
        {{"1", "my names.vep"}, "\"1\" my names.vep", "my names.vep"},
        {{"/x/a b.mpg", "1", "names.vep"}, "\"/x/a b.mpg\" \"1\" names.vep", "names.vep"},
        // A quote in a name: every argument quoted, that quote doubled, wherever it stands.
        {{"/m/a.mpg", "/m/q\"x.mpg"}, "\"/m/a.mpg\" \"/m/q\"\"x.mpg\""},
        {{"/m/q\" x.mpg"}, "\"/m/q\"\" x.mpg\""},
        {{"\"", "/m/\"a\" \"b\".mpg", "", "/m/c\""}, "\"\"\"\" \"/m/\"\"a\"\" \"\"b\"\".mpg\" \"\" \"/m/c\"\"\""},
        {{"/m/q\"x.mpg", "1", "n\"s.vep"}, "\"/m/q\"\"x.mpg\" \"1\" n\"s.vep", "n\"s.vep"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(join(c.args), c.line);
        const Parsed p = parse(join(c.args));
        EXPECT_EQ(std::tuple(p.tokens, p.rest),
            std::tuple(*c.rest ? c.args.mid(0, c.args.indexOf("1")) : c.args, QString(c.rest)));
    }
}

// Each argument keeps its bytes, UTF-8 or not (Shift-JIS from a Japanese archive, Latin-1).
TEST(CommandLineArguments, BytesAsGiven)
{
    const char* const argv[] = {"reelbox", "/m/\x93\xFA\x96\x7B.mpg", "/m/\xE6\x97\xA5.mpg", "l\xE9gende"};
    QList<QByteArray> back;
    for (const QString& argument : arguments(4, argv))
        back << toNativeFileName(argument);
    EXPECT_EQ(back, QList<QByteArray>(argv + 1, argv + 4));
}
