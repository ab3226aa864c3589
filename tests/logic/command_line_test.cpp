#include "app/command_line.h"

#include <gtest/gtest.h>

using namespace command_line;

TEST(CommandLineParse, EmptyAndVideoCdOnly)
{
    EXPECT_EQ(parse("").kind, Parsed::Empty);
    EXPECT_EQ(parse("1").kind, Parsed::VideoCdOnly);
    const Parsed eleven = parse("11");
    EXPECT_EQ(eleven.kind, Parsed::SingleToken);
    EXPECT_EQ(eleven.tokens, QStringList{"11"});
}

TEST(CommandLineParse, SingleTokenPlainOrQuoted)
{
    const Parsed plain = parse("/movies/trip.mpg");
    EXPECT_EQ(plain.kind, Parsed::SingleToken);
    EXPECT_EQ(plain.tokens, QStringList{"/movies/trip.mpg"});

    const Parsed quoted = parse("\"/my movies/trip.mpg\"");
    EXPECT_EQ(quoted.kind, Parsed::SingleToken);
    EXPECT_EQ(quoted.tokens, QStringList{"/my movies/trip.mpg"});

    const Parsed list = parse("/lists/evening.vep");
    EXPECT_EQ(list.kind, Parsed::SingleToken);
    EXPECT_EQ(kindOf(list.tokens.value(0)), TokenKind::ListFile);
}

TEST(CommandLineParse, TwoPlainPaths)
{
    const Parsed p = parse("/m/a.mpg /m/b.avi");
    EXPECT_EQ(p.kind, Parsed::Tokens);
    EXPECT_EQ(p.tokens, (QStringList{"/m/a.mpg", "/m/b.avi"}));
    EXPECT_FALSE(p.videoCdSwitch);
}

TEST(CommandLineParse, QuotedPathsLoseTheirQuotes)
{
    const Parsed two = parse("\"/m/a b.mpg\" \"/m/c d.avi\"");
    EXPECT_EQ(two.kind, Parsed::Tokens);
    EXPECT_EQ(two.tokens, (QStringList{"/m/a b.mpg", "/m/c d.avi"}));

    const Parsed three = parse("\"/m/a.mpg\" \"/l/x y.vep\" \"/m/c.dat\"");
    EXPECT_EQ(three.tokens, (QStringList{"/m/a.mpg", "/l/x y.vep", "/m/c.dat"}));
}

// With a quote anywhere, only quote + blank separates, and every token loses its first and last
// character: mixing quoted and plain paths yields no usable file.
TEST(CommandLineParse, MixedQuotedAndPlainIsNotSplitIntoItsFiles)
{
    const Parsed quotedFirst = parse("\"/m/a b.mpg\" /m/c.mpg");
    EXPECT_EQ(quotedFirst.tokens, (QStringList{"/m/a b.mpg", "m/c.mp"}));
    EXPECT_EQ(kindOf(quotedFirst.tokens.value(1)), TokenKind::Other);

    const Parsed plainFirst = parse("/m/a.mpg \"/m/b c.mpg\"");
    EXPECT_EQ(plainFirst.kind, Parsed::SingleToken);
    EXPECT_EQ(plainFirst.tokens, QStringList{"m/a.mpg \"/m/b c.mpg"});
}

TEST(CommandLineParse, VideoCdSwitchKeepsTheRest)
{
    const Parsed withList = parse("1 list.vep");
    EXPECT_EQ(withList.kind, Parsed::Tokens);
    EXPECT_TRUE(withList.videoCdSwitch);
    EXPECT_TRUE(withList.tokens.isEmpty());
    EXPECT_EQ(withList.rest, "list.vep");

    // Tokens before the switch are kept; everything behind it is left unexamined.
    const Parsed middle = parse("/m/a.mpg 1 names.vep /m/b.mpg");
    EXPECT_TRUE(middle.videoCdSwitch);
    EXPECT_EQ(middle.tokens, QStringList{"/m/a.mpg"});
    EXPECT_EQ(middle.rest, "names.vep /m/b.mpg");

    const Parsed quoted = parse("\"1\" \"my names.vep\"");
    EXPECT_TRUE(quoted.videoCdSwitch);
    EXPECT_EQ(quoted.rest, "\"my names.vep\"");

    const Parsed nothingBehind = parse("1 ");
    EXPECT_TRUE(nothingBehind.videoCdSwitch);
    EXPECT_EQ(nothingBehind.rest, "");
}

TEST(CommandLineParse, AOneInLastPlaceIsAnOrdinaryToken)
{
    const Parsed p = parse("/m/a.mpg 1");
    EXPECT_FALSE(p.videoCdSwitch);
    EXPECT_EQ(p.tokens, (QStringList{"/m/a.mpg", "1"}));
}

TEST(CommandLineParse, DoubleBlankGivesAnEmptyToken)
{
    EXPECT_EQ(parse("/m/a.mpg  /m/b.mpg").tokens, (QStringList{"/m/a.mpg", "", "/m/b.mpg"}));
    EXPECT_EQ(parse("/m/a.mpg ").tokens, (QStringList{"/m/a.mpg", ""}));
}

// Lines whose token lengths come out negative give empty tokens instead of failing.
TEST(CommandLineParse, MalformedQuotingGivesEmptyTokens)
{
    const Parsed lone = parse("\"");
    EXPECT_EQ(lone.kind, Parsed::SingleToken);
    EXPECT_EQ(lone.tokens, QStringList{""});

    EXPECT_EQ(parse("\"a.mpg\" ").tokens, (QStringList{"a.mpg", ""}));
    EXPECT_EQ(parse("\"a.mpg\" \" \"b.mpg\"").tokens, (QStringList{"a.mpg", "", "b.mpg"}));
}

TEST(CommandLineKind, LastFourCharactersIgnoringCase)
{
    for (const char* movie : {"a.dat", "A.DAT", "x.Avi", "/m/T.MPG", "clip.mpeg", "CLIP.MPEG", "xmpeg"})
        EXPECT_EQ(kindOf(QString::fromLatin1(movie)), TokenKind::Movie) << movie;
    for (const char* list : {"a.vep", "/l/B.VEP", ".Vep"})
        EXPECT_EQ(kindOf(QString::fromLatin1(list)), TokenKind::ListFile) << list;
    for (const char* other : {"", "dat", "a.mp4", "a.datx", "a.mpg ", "1", "a.vepx"})
        EXPECT_EQ(kindOf(QString::fromLatin1(other)), TokenKind::Other) << other;
}

TEST(CommandLineKind, OnlyAsciiLettersFoldCase)
{
    EXPECT_EQ(kindOf(QString::fromUtf8("a.ＤＡＴ")), TokenKind::Other);
    EXPECT_EQ(kindOf(QString::fromUtf8("a.AVİ")), TokenKind::Other);  // dotted capital I
}

TEST(CommandLineJoin, BlanksBetweenQuotesAroundBlanks)
{
    EXPECT_EQ(join({}), "");
    EXPECT_EQ(join({"/m/a.mpg", "/m/b.mpg"}), "/m/a.mpg /m/b.mpg");
    EXPECT_EQ(join({"/my movies/a.mpg"}), "\"/my movies/a.mpg\"");
    EXPECT_EQ(join({"1", "list.vep"}), "1 list.vep");
}

// The argument vectors that the rules can carry come back as the same files.
TEST(CommandLineJoin, RoundTripsThroughParse)
{
    const QStringList plain{"/m/a.mpg", "/m/b.avi", "/l/c.vep"};
    EXPECT_EQ(parse(join(plain)).tokens, plain);

    const QStringList blanks{"/my movies/a.mpg", "/my movies/b c.dat"};
    EXPECT_EQ(parse(join(blanks)).tokens, blanks);

    const QStringList one{"/my movies/a.mpg"};
    const Parsed single = parse(join(one));
    EXPECT_EQ(single.kind, Parsed::SingleToken);
    EXPECT_EQ(single.tokens, one);

    const Parsed vcd = parse(join({"1", "names.vep"}));
    EXPECT_TRUE(vcd.videoCdSwitch);
    EXPECT_EQ(vcd.rest, "names.vep");
}
