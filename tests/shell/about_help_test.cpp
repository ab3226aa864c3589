// The help page and the About box: its texts, the topmost rule around it from both places, the
// web address, and the system-information button.
// Checks: aboutfrm.cpp, help_about.cpp, no_launcher.cpp (src/shell); modal_rule.cpp, form_load.cpp,
// command_line.cpp, key_bindings.cpp, key_table.h (src/app); list_reader.cpp, list_writer.cpp
// (src/playlist); press.cpp (src/controls).
#include "form_fixture.h"
#include "playlist/list_reader.h"
#include "playlist/list_writer.h"
#include "shell/aboutfrm.h"
#include "videocd/video_cd.h"

#include <QShortcut>

// From "A" and from the menu, closed by OK, by the window or by Escape: the same box, with the
// movie window let go while it is up and kept in front afterwards only as Check4 says. Its
// system-information button, in turn: a program found and started; found but it will not start;
// none at all. The message comes over the About box, the movie window still let go.
TEST_F(StartedForm, AboutBoxFromBothPlacesUnderTheTopmostRule)
{
    const std::function<void()> openers[] = {press(form1->Command17), press(form2().me_about)};
    const std::function<void(Aboutfrm&)> closers[] = {[](Aboutfrm& b) { b.cmdOK->click(); },
        [](Aboutfrm& b) { b.close(); }, [](Aboutfrm& b) { QTest::keyClick(&b, Qt::Key_Escape); }};
    const QString none = "ｼｽﾃﾑ情報ｱﾌﾟﾘｹｰｼｮﾝが見つかりません。現時点ではｼｽﾃﾑ情報を使用できません。"
                         "|ｼｽﾃﾑ情報表示ｴﾗｰ";
    const std::tuple<QString, bool, bool> infos[] = {
        {"/usr/bin/hardinfo", true, false}, {"/usr/bin/hardinfo", false, true}, {"", true, true}};
    int run = 0;
    for (const auto& open : openers) {
        for (const auto& close : closers) {
            for (int keep : {1, 0}) {
                const auto& [program, starts, message] = infos[run++ % std::size(infos)];
                SCOPED_TRACE(run);
                form1->Check4->setValue(keep);
                desktop.opened.clear();
                desktop.infoProgram = program;
                desktop.startWorks = starts;
                desktop.started.clear();
                dialogs.boxes.clear();
                withDialog<Aboutfrm>(open, [&](Aboutfrm& box) {
                    EXPECT_FALSE(windows.isTopMost(&form2()));
                    EXPECT_EQ(
                        QStringList({box.windowTitle(), box.lblTitle->text(),
                            box.lblVersion->text(), box.Label1->text(), box.lblDescription->text(),
                            box.cmdOK->text(), box.cmdSysInfo->text()}),
                        QStringList({"ReelBoxのﾊﾞｰｼﾞｮﾝ情報", "ReelBox", "ﾊﾞｰｼﾞｮﾝ 0.6.1",
                            // two lines, no carriage return between them
                            "Video-CD等の動画を4:3の比率にして見る\n動画再生ソフト　By ReelBox Project",
                            "ｱﾌﾟﾘｹｰｼｮﾝの説明", "OK", "ｼｽﾃﾑ情報(&S)..."}));
                    QTest::mouseClick(box.Label2, Qt::LeftButton);
                    EXPECT_EQ(desktop.opened, std::vector<QUrl>{QUrl(box.Label2->text())});
                    box.cmdSysInfo->click();
                    close(box);
                });
                EXPECT_EQ(std::tuple(desktop.started, boxes(), windows.isTopMost(&form2())),
                    std::tuple(program.isEmpty() ? QStringList{} : QStringList{program},
                        message ? none : QString(), keep == 1));
                for (const FakeDialogs::Box& box : dialogs.boxes)
                    EXPECT_EQ(std::tuple(box.icon, box.movieTopMost),
                        std::tuple(int(msgbox::Information), std::optional(false)));
            }
        }
    }
}

// "H" with the page beside the program and the About box's address, on a desktop with and
// without a launcher: opened, or a box that names what was to be opened.
TEST_F(StartedForm, HelpAndAddressSayWhenNothingCanOpenThem)
{
    writeFile(programFile("reelbox.htm"), "<html lang=\"ja\"></html>");
    const QString page = programFile("reelbox.htm");
    QString address;
    const QString missing = "ファイルやアドレスを開くプログラム（xdg-open）が見つかりません。"
                            "xdg-utils をインストールしてください。\n\n";
    for (bool found : {true, false}) {
        desktop.launcherFound = found;
        desktop.opened.clear();
        dialogs.boxes.clear();
        form1->Command18->click();
        withDialog<Aboutfrm>(press(form1->Command17), [&](Aboutfrm& box) {
            address = box.Label2->text();
            QTest::mouseClick(box.Label2, Qt::LeftButton);
            box.cmdOK->click();
        });
        EXPECT_EQ(std::tuple(desktop.opened, boxes()),
            std::tuple(std::vector<QUrl>{QUrl::fromLocalFile(page), QUrl(address)},
                found ? QString() : missing + page + "|\n" + missing + address + "|"));
    }
}

namespace {

QString unescaped(QString html)
{
    for (const auto& [entity, character] :
        {std::pair{"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
        html.replace(entity, character);
    return html;
}

// The texts of a piece of the page's <code>s.
QStringList codes(const QString& html)
{
    QStringList texts;
    for (const QRegularExpressionMatch& m :
        QRegularExpression("<code>(.*?)</code>").globalMatch(html))
        texts << unescaped(m.captured(1));
    return texts;
}

}  // namespace

// Without the page beside the program "H" shows nothing (the installed program's is opened in
// the install test).
//
// Every line of the page's list-file table, in a file of its own, reads as the page says through
// the open button's reader and the start-up reader ("stop" where the page says the load stops);
// saving an entry read from a line with one "=" writes that very line.
//
// Every command line the page shows, run by the program's start-up: the playlist it gives, and
// whether it starts in Video-CD mode. "names.vep" lies in the program's folder, where the page
// says it is looked for; the other files in the current folder. The list files hold the page's
// example list.
TEST_F(FormFixture, HelpPageDoesWhatItSays)
{
    load();
    form1->Command18->click();
    EXPECT_TRUE(desktop.opened.empty());
    EXPECT_TRUE(dialogs.boxes.empty());

    QFile file(QStringLiteral(REELBOX_HELP_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const QString table = page.section("<table class=\"vep\">", 1).section("</table>", 0, 0);
    const QRegularExpression row("<tr><td>(.*?)</td><td>(.*?)</td><td>(.*?)</td></tr>");
    const auto claim = [](const QString& cell) {
        const QStringList both = codes(cell);
        return both.size() == 2 ? both.join(" | ") : QString("stop");
    };
    QTemporaryDir here;
    int tableRows = 0;
    for (const QRegularExpressionMatch& m : row.globalMatch(table)) {
        const QString line = codes(m.captured(1)).value(0);
        SCOPED_TRACE(line.toStdString());
        writeFile(here.filePath("line.vep"), (line + "\r\n").toUtf8());
        QStringList fields;
        ASSERT_TRUE(list_reader::readFields(here.filePath("line.vep"), [&](const QString& field) {
            fields << field;
            return true;
        }));
        ASSERT_EQ(fields.size(), 1);
        const std::optional<list_reader::Entry> opened = list_reader::listEntry(fields.front());
        const list_reader::Entry started = list_reader::startupEntry(fields.front());
        EXPECT_EQ(std::tuple(opened ? opened->path + " | " + opened->name : QString("stop"),
                      started.path + " | " + started.name),
            std::tuple(claim(m.captured(2)), claim(m.captured(3))));
        if (opened && line.count(u'=') == 1) {  // nothing dropped: saving writes the line again
            EXPECT_EQ(list_writer::line(opened->path, opened->name), line);
        }
        ++tableRows;
    }
    EXPECT_GE(tableRows, 4);

    const QStringList trip = {"旅行", "2 日目"}, disc = {"AVSEQ01.DAT", "AVSEQ02.DAT"};
    const std::tuple<const char*, QStringList, int> rows[] = {{"reelbox trip.mpg", {"trip.mpg"}, 0},
        {"reelbox a.mpg b.avi", {"a.mpg", "b.avi"}, 0},
        {"reelbox \"/home/user/My Movies/a.mpg\" \"/home/user/My Movies/b.mpg\"",
            {"a.mpg", "b.mpg"}, 0},
        {"reelbox favourites.vep", trip, 0}, {"reelbox 1", disc, 1},
        {"reelbox 1 names.vep", trip, 1}, {"reelbox disc.cue", disc, 0}};
    QStringList shown;  // the examples, in the page's order
    for (const QRegularExpressionMatch& m :
        QRegularExpression("<td><code>(reelbox [^<]*)</code></td>").globalMatch(page))
        shown << unescaped(m.captured(1));
    EXPECT_EQ(std::size_t(shown.size()), std::size(rows));

    const QString exampleList = unescaped(page.section("<h2>リストファイル (.vep)</h2>", 1)
                                              .section("<pre>", 1)
                                              .section("</pre>", 0, 0));
    const QString before = QDir::currentPath();
    QDir::setCurrent(here.path());
    writeFile(here.filePath("favourites.vep"), exampleList.toUtf8());
    writeFile(programFile("names.vep"), exampleList.toUtf8());
    drives.table = {{"disc.cue", FakeDriveTable::videoCd("MOVIE")}};
    int at = 0;
    for (const auto& [example, expected, videoCd] : rows) {
        SCOPED_TRACE(example);
        EXPECT_EQ(shown.value(at++), QString::fromUtf8(example));
        form1 = std::make_unique<Form1>(*services);
        load(QString::fromUtf8(example).mid(QStringLiteral("reelbox ").size()));
        if (videoCd == 1) {  // the first search finds the disc
            form1->videoCd->Timer2_Timer();
            ASSERT_TRUE(waitUntil([this] { return !form1->videoCd->probing(); }));
        }
        EXPECT_EQ(std::tuple(names(), form1->Check5->Value()), std::tuple(expected, videoCd));
    }
    QDir::setCurrent(before);
}

// The page's table of keys is the program's: each key it names, and no other, is bound to the
// control its row names by its tool tip (the volume by its name), on the movie window, or for
// either window where the page says media key. A key presses its control: with nothing open only the volume takes it;
// with a movie open every control does, the volume one SmallChange up or down.
TEST_F(FormFixture, HelpPageKeysAreTheProgramsKeys)
{
    load();
    QFile file(QStringLiteral(REELBOX_HELP_PAGE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString table = QString::fromUtf8(file.readAll())
                              .section("<table class=\"keys\">", 1)
                              .section("</table>", 0, 0);
    const auto named = [](QWidget* control) {
        return control->toolTip().isEmpty() ? control->accessibleName() : control->toolTip();
    };
    std::map<int, QString> onPage;
    for (const QRegularExpressionMatch& row :
        QRegularExpression("<tr><td>(.*?)</td><td>(.*?)</td>").globalMatch(table))
        for (const QRegularExpressionMatch& key :
            QRegularExpression("<kbd>(.*?)</kbd>").globalMatch(row.captured(1))) {
            const QString name = unescaped(key.captured(1));
            onPage[QKeySequence::fromString(name, QKeySequence::PortableText)[0].toCombined()] =
                row.captured(2) + (name.contains("Media") ? " anywhere" : " movie");
        }

    QString pressed;
    for (QAbstractButton* b : form1->findChildren<QAbstractButton*>())
        QObject::connect(b, &QAbstractButton::pressed, [&, b] { pressed += named(b); });
    ScrollBar& volume = *form1->HScroll2;
    QObject::connect(&volume, &ScrollBar::Change, [&] { pressed += named(&volume); });
    QList<QShortcut*> keys = form2().findChildren<QShortcut*>("key_table");
    keys += form1->findChildren<QShortcut*>("key_table", Qt::FindDirectChildrenOnly);
    for (bool open : {false, true}) {
        SCOPED_TRACE(open);
        if (open)
            start({"/m/a.mpg", "/m/b.mpg", "/m/c.mpg"}, 1);
        volume.setValue(volume.Max() / 2);
        std::map<int, QString> bound, expected = onPage;
        for (QShortcut* key : keys) {
            pressed.clear();
            const int before = volume.Value();
            emit key->activated();
            const int combined = key->key()[0].toCombined();
            if (key->parent() == &form2() && key->context() == Qt::WindowShortcut)
                bound[combined] = pressed + " movie";
            else if (key->context() == Qt::ApplicationShortcut)
                bound[combined] = pressed + " anywhere";
            if (pressed == named(&volume)) {
                EXPECT_EQ(volume.Value() - before,
                    combined == Qt::Key_Up ? volume.SmallChange() : -volume.SmallChange());
            }
        }
        for (auto& [key, row] : expected)
            if (!open && !row.startsWith(named(&volume)))
                row = u' ' + row.section(u' ', -1);  // nothing open: nothing pressed
        EXPECT_EQ(bound, expected);
    }
}
