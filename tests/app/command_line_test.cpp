#include "app/command_line.h"

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
        {"11", Parsed::SingleToken, {"11"}},
        {"/movies/trip.mpg", Parsed::SingleToken, {"/movies/trip.mpg"}},
        {"\"/my movies/trip.mpg\"", Parsed::SingleToken, {"/my movies/trip.mpg"}},
        {"/m/a.mpg /m/b.avi", Parsed::Tokens, {"/m/a.mpg", "/m/b.avi"}},
        {"\"/m/a b.mpg\" \"/m/c d.avi\"", Parsed::Tokens, {"/m/a b.mpg", "/m/c d.avi"}},
        {"\"/m/a.mpg\" \"/l/x y.vep\" \"/m/c.dat\"", Parsed::Tokens, {"/m/a.mpg", "/l/x y.vep", "/m/c.dat"}},
        // With a quote anywhere, only quote + blank separates and every token loses its first
        // and last character: mixing quoted and plain paths yields no usable file.
        {"\"/m/a b.mpg\" /m/c.mpg", Parsed::Tokens, {"/m/a b.mpg", "m/c.mp"}},
        {"/m/a.mpg \"/m/b c.mpg\"", Parsed::SingleToken, {"m/a.mpg \"/m/b c.mpg"}},
        // The switch keeps the tokens before it; everything behind it is left unexamined.
        {"1 list.vep", Parsed::Tokens, {}, true, "list.vep"},
        {"/m/a.mpg 1 names.vep /m/b.mpg", Parsed::Tokens, {"/m/a.mpg"}, true, "names.vep /m/b.mpg"},
        {"\"1\" \"my names.vep\"", Parsed::Tokens, {}, true, "\"my names.vep\""},
        {"1 ", Parsed::Tokens, {}, true, ""},
        {"/m/a.mpg 1", Parsed::Tokens, {"/m/a.mpg", "1"}},  // last place: an ordinary token
        {"/m/a.mpg  /m/b.mpg", Parsed::Tokens, {"/m/a.mpg", "", "/m/b.mpg"}},
        {"/m/a.mpg ", Parsed::Tokens, {"/m/a.mpg", ""}},
        // Token lengths that come out negative give empty tokens instead of failing.
        {"\"", Parsed::SingleToken, {""}},
        {"\"a.mpg\" ", Parsed::Tokens, {"a.mpg", ""}},
        {"\"a.mpg\" \" \"b.mpg\"", Parsed::Tokens, {"a.mpg", "", "b.mpg"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const Parsed p = parse(QString::fromLatin1(c.line));
        EXPECT_EQ(p.kind, c.kind);
        EXPECT_EQ(p.tokens, c.tokens);
        EXPECT_EQ(p.videoCdSwitch, c.videoCd);
        EXPECT_EQ(p.rest, QString::fromLatin1(c.rest));
    }
}

// Blanks between arguments, quotes around those with blanks; what the rules can carry comes back
// from parse as the same files.
TEST(CommandLineJoin, BlanksBetweenQuotesAroundBlanksAndParsedBack)
{
    const std::pair<QStringList, const char*> cases[] = {
        {{}, ""},
        {{"/m/a.mpg", "/m/b.avi", "/l/c.vep"}, "/m/a.mpg /m/b.avi /l/c.vep"},
        {{"/my movies/a.mpg"}, "\"/my movies/a.mpg\""},
        {{"/my movies/a.mpg", "/my movies/b c.dat"}, "\"/my movies/a.mpg\" \"/my movies/b c.dat\""},
    };
    for (const auto& [args, line] : cases) {
        EXPECT_EQ(join(args), line);
        EXPECT_EQ(parse(join(args)).tokens, args) << line;
    }
}
