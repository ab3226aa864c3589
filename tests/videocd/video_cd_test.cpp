// Video-CD mode over the fake drive table: switching the mode, the 5 s search, loading a disc by
// hand, the list file that names the tracks, and disc images on the command line.
// Checks: video_cd.cpp, drive_search.cpp, disc_load.cpp (src/videocd); form_load.cpp (src/app).
#include "form_fixture.h"
#include "videocd/video_cd.h"

#include <QComboBox>
#include <gmock/gmock.h>

namespace {

using Disc = FakeDriveTable::Disc;
using Drives = QList<FakeDriveTable::Drive>;
const Disc Vcd = FakeDriveTable::videoCd(QStringLiteral("MOVIE"));
const Disc Data{QStringLiteral("DATA"), {{QStringLiteral("DOCS"), {"README.TXT"}}}};
const Disc NoTracks{QStringLiteral("ODD"), {{QStringLiteral("MPEGAV"), {}}}};
const std::optional<Disc> Empty;
const QString NotFound = QStringLiteral("NO Video-CD: Video-CDが見つかりません。");
const QString NoVcd = QStringLiteral("NO Video-CD: Video-CDではなさそうです。");
const QString NotReady = QStringLiteral("ﾄﾞﾗｲﾌﾞｴﾗｰ: ドライブの準備ができていないようです。");
const QString NoPermission = QStringLiteral("ﾄﾞﾗｲﾌﾞｴﾗｰ: ドライブを読み込む権限がないようです。");

// Table rows print, and their tests are named, as their names.
template <typename Row>
requires requires(const Row& r) { r.name; }
void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }
const auto byName = [](const auto& info) { return std::string(info.param.name); };

QStringList tracks(const QString& root, int n = 2)
{
    QStringList paths;
    for (int i = 1; i <= n; ++i)
        paths << root + QStringLiteral("MPEGAV/AVSEQ%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
    return paths;
}

class VideoCdTest : public FormFixture {
protected:
    VideoCd& vcd() { return *form1->videoCd; }
    QStringList combo() const
    {
        QStringList out;
        for (int i = 0; i < form1->Combo1->count(); ++i)
            out << form1->Combo1->itemText(i);
        return out;
    }
    // "title: text", and how it asks unless it is an OK box with the information icon.
    QStringList boxes() const
    {
        QStringList out;
        for (const auto& b : dialogs.boxes) {
            const bool ok = b.buttons == msgbox::OkOnly && b.icon == msgbox::Information;
            const bool question = b.buttons == msgbox::YesNo && b.icon == msgbox::Question;
            const char* kind = ok ? "" : question ? " [yes/no?]" : " [other]";
            out << b.title + ": " + b.text + kind;
        }
        return out;
    }
    // One tick of Timer2, until its probe of the drives has been shown.
    void tick()
    {
        vcd().Timer2_Timer();
        ASSERT_TRUE(waitUntil([this] { return !vcd().probing(); }));
    }
    void enterMode(const Drives& table)
    {
        drives.table = table;
        load();
        form1->Check5->setValue(1);
    }
};

const QString Question = QStringLiteral(
    "ﾓｰﾄﾞ変更: モードを変更します、リストがクリアされますがよろしいですか？ [yes/no?]");

struct Switch {
    const char* name;
    int entries;  // movies in the playlist when the box is clicked
    int from, to, answer;
    QStringList boxes;
    int check5, entriesAfter;
};

class SwitchingTheMode : public VideoCdTest, public ::testing::WithParamInterface<Switch> { };

TEST_P(SwitchingTheMode, AsksOnlyWhenTheListIsNotEmptyAndNoPutsTheBoxBack)
{
    const Switch& c = GetParam();
    enterMode({});
    form1->Check5->setValue(c.from);
    for (int i = 0; i < c.entries; ++i)
        form1->playlist->append(QStringLiteral("/m/%1.mpg").arg(i));
    dialogs.answers = {c.answer};
    form1->Check5->setValue(c.to);
    // Everything the mode switches, as true when the mode is on.
    const std::vector<bool> modeState = {
        form1->Timer2->isActive() && form1->Timer2->interval() == 5000, form1->Combo1->isEnabled(),
        form1->Command1->isHidden(), form1->Command12->isHidden(), !form1->Command20->isEnabled(),
        !form1->Label5->isHidden(), !form1->List2->viewport()->acceptDrops(),
        !form2().acceptDrops(), !form2().Label1->acceptDrops(), !form2().Label2->acceptDrops()};
    EXPECT_THAT(std::tuple(boxes(), form1->Check5->Value(), playlist().count(), vcd().mode_revert,
                    modeState),
        testing::FieldsAre(
            c.boxes, c.check5, c.entriesAfter, 0, std::vector<bool>(10, c.check5 == 1)));
}

INSTANTIATE_TEST_SUITE_P(Table, SwitchingTheMode,
    ::testing::Values(Switch{"empty_list_asks_nothing", 0, 0, 1, msgbox::No, {}, 1, 0},
        Switch{"no_keeps_the_list", 2, 0, 1, msgbox::No, {Question}, 0, 2},
        Switch{"yes_clears_it", 2, 0, 1, msgbox::Yes, {Question}, 1, 0},
        Switch{"leaving_no", 2, 1, 0, msgbox::No, {Question}, 1, 2},
        Switch{"leaving_yes", 2, 1, 0, msgbox::Yes, {Question}, 0, 0}),
    byName);

struct Search {
    const char* name;
    Drives drives;
    QStringList combo;
    int selected;
    QStringList paths;  // loaded, the first one playing
    QStringList boxes;
    QString label5, tip5;
};

class DriveSearch : public VideoCdTest, public ::testing::WithParamInterface<Search> { };

// One tick of the search: every drive listed, the first Video-CD loaded and playing.
TEST_P(DriveSearch, ListsEveryDriveAndLoadsTheFirstVideoCd)
{
    const Search& c = GetParam();
    enterMode(c.drives);
    tick();
    // Searching until a disc is chosen; the first track plays.
    EXPECT_THAT(
        std::tuple(combo(), form1->Combo1->currentIndex(), paths(), boxes(), form1->Label5->text(),
            form1->Label5->toolTip(), form1->Timer2->isActive(), caption2(), engine.path()),
        testing::FieldsAre(c.combo, c.selected, c.paths, c.boxes, c.label5, c.tip5, c.selected < 0,
            c.paths.isEmpty() ? "|>" : "II", c.paths.value(0)));
}

const QString Caption = QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ");
const QString Tip = QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ表示");

INSTANTIATE_TEST_SUITE_P(Table, DriveSearch,
    ::testing::Values(Search{"no_drive", {}, {}, -1, {}, {NotFound}, Caption, Tip},
        // An empty drive and a data disc: TheSearchRepeatsUntilADiscArrives... below.
        Search{"second_of_two", {{"/dev/sr0", Empty}, {"/dev/sr1", Vcd}},
            {"/dev/sr0/", "/dev/sr1/"}, 1, tracks("/dev/sr1/"), {}, "MOVIE", "/dev/sr1：- MOVIE"},
        Search{"first_wins", {{"/dev/sr0", Vcd}, {"/dev/sr1", FakeDriveTable::videoCd("B", 3)}},
            {"/dev/sr0/", "/dev/sr1/"}, 0, tracks("/dev/sr0/"), {}, "MOVIE", "/dev/sr0：- MOVIE"},
        // Chosen, but nothing to play: no message, and the search ends.
        Search{"mpegav_without_tracks", {{"/dev/sr0", NoTracks}}, {"/dev/sr0/"}, 0, {}, {}, Caption,
            Tip}),
    byName);

// Ticks while searching: the list never holds a drive twice, every failed search says so, a
// tick while that message is open does nothing, and a disc that arrives is loaded at the next
// tick, after which the search stops.
TEST_F(VideoCdTest, TheSearchRepeatsUntilADiscArrivesWithoutStackingMessages)
{
    enterMode({{"/dev/sr0", Empty}, {"/dev/sr1", Data}});
    for (int ticks = 1; ticks <= 3; ++ticks) {
        tick();
        EXPECT_EQ(std::tuple(combo(), boxes()),
            std::tuple(QStringList({"/dev/sr0/", "/dev/sr1/"}), QStringList(ticks, NotFound)));
    }
    int ticksWhileOpen = 0;  // one tick comes while the message is up
    dialogs.whileShown = [&] { ticksWhileOpen++ == 0 ? vcd().Timer2_Timer() : void(); };
    tick();
    EXPECT_EQ(boxes().size(), 4);
    dialogs.whileShown = nullptr;

    drives.table[0].disc = Vcd;
    tick();
    EXPECT_EQ(
        std::tuple(paths(), form1->Timer2->isActive()), std::tuple(tracks("/dev/sr0/"), false));
    const int searches = drives.searches;
    tick();  // the playlist is not empty: no search
    EXPECT_EQ(std::tuple(drives.searches, boxes().size()), std::tuple(searches, 4));
}

// A drive that takes 3 s to answer holds up no window: the probe runs in a worker while the
// window's thread goes on handling events, and its result is shown as a quick drive's is.
TEST_F(VideoCdTest, ASlowDriveIsProbedWhileTheWindowsGoOn)
{
    enterMode({{"/dev/sr0", Empty}, {"/dev/sr1", Vcd}});
    drives.answerAfterMs = 3000;
    const int searches = drives.searches;
    int eventsWhileProbing = 0;
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&] { eventsWhileProbing += vcd().probing(); });
    beat.start(10);
    vcd().Timer2_Timer();
    EXPECT_TRUE(vcd().probing());
    vcd().Timer2_Timer();  // a tick while the probe runs starts no second one
    ASSERT_TRUE(waitUntil([this] { return !vcd().probing(); }));
    EXPECT_THAT(std::tuple(eventsWhileProbing > 0, drives.searches, combo(),
                    form1->Combo1->currentIndex(), paths(), boxes(), form1->Label5->text()),
        testing::FieldsAre(true, searches + 1, QStringList({"/dev/sr0/", "/dev/sr1/"}), 1,
            tracks("/dev/sr1/"), QStringList(), "MOVIE"));
}

// A probe that comes back after the mode was left, or after files were added, is not shown.
TEST_F(VideoCdTest, AProbeOverTakenByTheUserIsDropped)
{
    for (const bool leave : {true, false}) {
        form1 = std::make_unique<Form1>(*services);
        enterMode({{"/dev/sr1", Vcd}});
        vcd().Timer2_Timer();
        if (leave)
            form1->Check5->setValue(0);
        else
            form1->playlist->append("/m/a.mpg");
        ASSERT_TRUE(waitUntil([this] { return !vcd().probing(); }));
        EXPECT_EQ(std::tuple(combo(), paths(), boxes()),
            std::tuple(
                QStringList(), leave ? QStringList() : QStringList({"/m/a.mpg"}), QStringList()));
    }
}

// A disc in /dev/sr1 picked by hand in Video-CD mode, or a disc image on the command line (added,
// the mode left off, its first track opened but stopped): its tracks, or why not.
struct Source {
    const char* name;
    bool image;
    std::optional<Disc> disc;
    QStringList paths;
    QStringList boxes;
    const char* command2;
    DiscFolderError problem = DiscFolderError::NotReady;  // without a disc
    QString missingFile = {};
    bool failOpen = false;  // every track fails to open
};

class LoadingADisc : public VideoCdTest, public ::testing::WithParamInterface<Source> { };

TEST_P(LoadingADisc, LoadsItsTracksOrSaysWhyNot)
{
    const Source& c = GetParam();
    if (c.image) {
        drives.table = {{"/v/disc.cue", c.disc, c.problem, c.missingFile}};
        load(QStringLiteral("/v/disc.cue"));
        EXPECT_EQ(std::tuple(drives.imagesAdded, engine.path(), form1->Check5->Value()),
            std::tuple(QStringList({"/v/disc.cue"}), c.paths.value(0), 0));
        // An image that failed is not among the drives when the mode searches them.
        if (c.paths.isEmpty()) {
            form1->Check5->setValue(1);
            tick();
            EXPECT_EQ(combo(), QStringList());
            dialogs.boxes.pop_back();  // the search's own "not found"
        }
    } else {
        enterMode({{"/dev/sr0", Vcd}, {"/dev/sr1", c.disc, c.problem}});
        tick();
        ASSERT_EQ(form1->Combo1->currentIndex(), 0);
        if (c.failOpen)
            engine.failNextOpen(MediaError::FileNotFound);
        // The user picks /dev/sr1/ in the control window (in the movie window Down is the volume).
        form1->show();
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
        QTest::keyClick(form1->Combo1, Qt::Key_Down);
    }
    EXPECT_EQ(std::tuple(paths(), boxes(), caption2()), std::tuple(c.paths, c.boxes, c.command2));
    for (const auto& box : dialogs.boxes)  // the image, or the track that did not open
        EXPECT_EQ(box.informative, c.image      ? "/v/disc.cue"
                                   : c.failOpen ? "/dev/sr1/MPEGAV/AVSEQ01.DAT"
                                                : "");
}

INSTANTIATE_TEST_SUITE_P(Table, LoadingADisc,
    ::testing::Values(Source{"empty", false, Empty, {}, {NotReady}, "|>"},
        Source{"data_disc", false, Data, {}, {NoVcd}, "|>"},
        // A disc without an ISO 9660 file system (an audio CD) is there, but no Video-CD.
        Source{"audio_cd", false, Empty, {}, {NoVcd}, "|>", DiscFolderError::NotFound},
        Source{
            "no_permission", false, Empty, {}, {NoPermission}, "|>", DiscFolderError::NoPermission},
        Source{
            "video_cd", false, FakeDriveTable::videoCd("B", 3), tracks("/dev/sr1/", 3), {}, "II"},
        // The one track does not open: nothing is playing, so the button does not say so.
        Source{"unplayable", false, FakeDriveTable::videoCd("B", 1), {},
            {"削除: ファイルが見つかりません。パスとファイル名を確認してください。リスト一覧から削除します。"},
            "|>", DiscFolderError::NotReady, {}, true},
        Source{"image_unreadable", true, Empty, {},
            {"ﾄﾞﾗｲﾌﾞｴﾗｰ: ディスクイメージを読み込めません。"}, "|>"},
        Source{"image_without_tracks", true, NoTracks, {}, {NoVcd}, "|>"},
        Source{"image_audio", true, Empty, {}, {NoVcd}, "|>", DiscFolderError::NotFound},
        Source{"image_no_permission", true, Empty, {},
            {"ﾄﾞﾗｲﾌﾞｴﾗｰ: ディスクイメージを読み込む権限がないようです。"}, "|>",
            DiscFolderError::NoPermission},
        Source{"image_data_file_missing", true, Empty, {},
            {"ﾄﾞﾗｲﾌﾞｴﾗｰ: ディスクイメージを読み込めません。「/v/DISC.BIN」が見つかりません。"},
            "|>", DiscFolderError::DataMissing, "/v/DISC.BIN"}),
    byName);

struct Naming {
    const char* name;
    const char* commandLine;
    const char* listFile;  // written to names.vep in the program folder; nullptr: none
    int tracks;
    QStringList names;
    const char* cmdItemAfter;
};

class NamingTracks : public VideoCdTest, public ::testing::WithParamInterface<Naming> { };

// "1" on the command line starts the mode; a list file behind it names the next disc's tracks.
TEST_P(NamingTracks, ByTheListFileBehindTheSwitch)
{
    const Naming& c = GetParam();
    if (c.listFile)
        writeFile(programFile("names.vep"), c.listFile);
    drives.table = {{"/dev/sr0", FakeDriveTable::videoCd("MOVIE", c.tracks)}};
    load(QString::fromLatin1(c.commandLine));
    EXPECT_EQ(std::tuple(form1->Check5->Value(), boxes()), std::tuple(1, QStringList()));
    tick();
    EXPECT_THAT(
        std::tuple(paths(), names(), form2().Label1->text(), form1->cmd_item, form1->cmd_vcd),
        testing::FieldsAre(tracks("/dev/sr0/", c.tracks), c.names, c.names.value(0) + "　",
            c.cmdItemAfter, QString()));
    EXPECT_FALSE(form1->Line1->isHidden());
    EXPECT_FALSE(form1->Line2->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Table, NamingTracks,
    ::testing::Values(Naming{"switch_alone", "1", nullptr, 2, {"AVSEQ01.DAT", "AVSEQ02.DAT"}, ""},
        Naming{"fewer_lines", "1 names.vep", "a=One\r\nb=Two\r\n", 3, {"One", "Two", "AVSEQ03.DAT"},
            ""},
        Naming{"missing_file", "1 names.vep", nullptr, 2, {"AVSEQ01.DAT", "AVSEQ02.DAT"},
            "names.vep"}),
    byName);

}  // namespace
