// Video-CD tracks read from a real disc image through the media engine, the drive table over
// images, and images that are damaged or are no image at all. Runs with vo=null and ao=null.
#include "platform/cdio/disc.h"
#include "platform/cdio/linux_drive_table.h"
#include "platform/mpv/mpv_engine.h"

#include "test_disc.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <mpv/client.h>

#include <gtest/gtest.h>
#include <functional>
#include <sys/stat.h>

namespace {

TestDisc* disc = nullptr;

// The picture on screen, as mpv hands it out: the same frame decoded gives the same bytes.
QByteArray picture(MpvEngine& engine)
{
    const char* cmd[] = {"screenshot-raw", "video", nullptr};
    mpv_node result;
    if (mpv_command_ret(engine.handle(), cmd, &result) < 0)
        return {};
    QByteArray data;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            const mpv_node& value = result.u.list->values[i];
            if (std::strcmp(result.u.list->keys[i], "data") == 0 &&
                value.format == MPV_FORMAT_BYTE_ARRAY)
                data = QByteArray(static_cast<const char*>(value.u.ba->data),
                                  qsizetype(value.u.ba->size));
        }
    }
    mpv_free_node_contents(&result);
    return data;
}

MediaError open(MpvEngine& engine, const QString& path)
{
    return engine.open(path, MediaEngine::TypeHint::MpegVideo, 0);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

class DiscImageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!disc)
            disc = new TestDisc;
    }
    void SetUp() override { ASSERT_TRUE(disc->ok()) << disc->why().toStdString(); }

    // A drive table that knows no drives, only the images given.
    static LinuxDriveTable imagesOnly(const QStringList& images)
    {
        static QTemporaryDir nothing;
        LinuxDriveTable::Places places;
        places.cdromInfo = places.sysBlock = places.mounts = nothing.filePath("none");
        places.dev = nothing.path();
        return LinuxDriveTable(places, images);
    }
};

TEST_F(DiscImageTest, EachTrackGivesTheFramesOfItsSourceClip)
{
    for (int i = 0; i < TestDisc::Tracks; ++i) {
        SCOPED_TRACE(disc->track(i).toStdString());
        MpvEngine plain, fromDisc;
        ASSERT_EQ(open(plain, disc->clip(i)), MediaError::None);
        ASSERT_EQ(open(fromDisc, disc->track(i)), MediaError::None);
        const std::int64_t frames = plain.lengthFrames();
        EXPECT_EQ(fromDisc.lengthFrames(), frames);
        EXPECT_EQ(fromDisc.sourceSize(), QSize(352, 240));
        const QByteArray first = picture(plain);
        ASSERT_FALSE(first.isEmpty());
        EXPECT_TRUE(picture(fromDisc) == first) << "first picture";
        for (const std::int64_t frame : {std::int64_t(37), frames - 1, std::int64_t(1)}) {
            ASSERT_EQ(plain.seekFrame(frame), MediaError::None);
            ASSERT_EQ(fromDisc.seekFrame(frame), MediaError::None);
            EXPECT_EQ(fromDisc.positionFrames(), frame);
            EXPECT_TRUE(picture(fromDisc) == picture(plain)) << "after a seek to " << frame;
        }
    }
}

// What a mounted disc gives: the same sectors read as 2048-byte Form 1 blocks lose 276 bytes of
// every 2324, and the movie with them.
TEST_F(DiscImageTest, TheSameSectorsReadAsForm1AreNotTheMovie)
{
    const std::unique_ptr<Disc> image = Disc::open(disc->cue());
    ASSERT_TRUE(image);
    const std::optional<DiscExtent> extent = image->fileExtent(QStringLiteral("MPEGAV/AVSEQ01.DAT"));
    ASSERT_TRUE(extent);
    QByteArray form1(qsizetype(extent->sectors) * Disc::Form1Payload, '\0');
    ASSERT_TRUE(image->readForm1(extent->lsn, extent->sectors,
                                 reinterpret_cast<std::uint8_t*>(form1.data())));
    const QString mounted = disc->dir() + QStringLiteral("/form1.dat");
    ASSERT_TRUE(writeAll(mounted, form1));

    MpvEngine plain, fromMount;
    ASSERT_EQ(open(plain, disc->clip(0)), MediaError::None);
    const bool opened = open(fromMount, mounted) == MediaError::None;
    const bool sameMovie = opened && fromMount.lengthFrames() == plain.lengthFrames() &&
                           picture(fromMount) == picture(plain);
    EXPECT_FALSE(sameMovie);
}

TEST_F(DiscImageTest, AnImageIsADriveOfTheTable)
{
    LinuxDriveTable table = imagesOnly({disc->cue(), disc->dir() + "/../" + QDir(disc->dir()).dirName() + "/disc.cue"});
    const QList<OpticalDrive> drives = table.drives();
    ASSERT_EQ(drives.size(), 1);  // the same image under two names is one drive
    EXPECT_EQ(drives[0].root(), disc->cue() + QLatin1Char('/'));
    EXPECT_TRUE(drives[0].ready);
    EXPECT_EQ(drives[0].volumeLabel, QLatin1String(TestDisc::Label));
    EXPECT_TRUE(drives[0].hasMpegav);

    const std::optional<DiscFolder> mpegav = table.listFolder(drives[0].root() + "MPEGAV/");
    ASSERT_TRUE(mpegav);
    EXPECT_EQ(mpegav->error, DiscFolderError::None);
    EXPECT_EQ(mpegav->files, QStringList({"AVSEQ01.DAT", "AVSEQ02.DAT"}));
    EXPECT_EQ(table.listFolder(drives[0].root() + "mpegav")->files, mpegav->files);
    EXPECT_EQ(table.listFolder(drives[0].root() + "CDI/NOPE/")->error, DiscFolderError::NotFound);
    EXPECT_FALSE(table.listFolder(disc->dir() + QLatin1Char('/')));  // an ordinary folder
}

// The disc taken out while a track plays: the track ends (the reader gives up after a bounded
// number of failed sectors) and the engine answers as at any end; opening it again fails.
TEST_F(DiscImageTest, ADiscTakenOutWhilePlayingEndsTheTrack)
{
    const QString cue = disc->author(QStringLiteral("pulled"));
    MpvEngine engine;
    ASSERT_EQ(open(engine, cue + "/MPEGAV/AVSEQ01.DAT"), MediaError::None);
    ASSERT_EQ(engine.play(), MediaError::None);
    ASSERT_TRUE(QFile::resize(cue.chopped(4) + ".bin", 0));
    QElapsedTimer waited;
    waited.start();
    while (engine.isPlaying() && waited.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(engine.isPlaying());
    EXPECT_EQ(engine.positionFrames(), engine.lengthFrames());
    engine.close();
    EXPECT_EQ(open(engine, cue + "/MPEGAV/AVSEQ01.DAT"), MediaError::FileNotFound);
}

// Damage done to a fresh image (its .cue and .bin): raw 2352-byte sectors, Form 1 data at 24.
using Damage = std::function<bool(const QString& cue, const QString& bin)>;

Damage patchBin(const std::function<bool(QByteArray&)>& patch)
{
    return [patch](const QString&, const QString& bin) {
        QByteArray data = readAll(bin);
        return patch(data) && writeAll(bin, data);
    };
}

// The folder record of `name` in a directory (not its path-table entry): name length before it.
qsizetype recordOf(const QByteArray& bin, const QByteArray& name)
{
    qsizetype at = bin.indexOf(name);
    while (at > 33 && !(quint8(bin[at - 1]) == name.size() && quint8(bin[at - 33]) >= 33))
        at = bin.indexOf(name, at + 1);
    return at > 33 ? at - 33 : -1;
}

struct BadImage {
    const char* name;
    Damage damage;
    bool ready;
    DiscFolderError mpegav;
    int files;
    bool firstTrackPlays, secondTrackPlays;
};

// Nothing crashes or hangs; what can still be read is, the rest is refused with an error.
TEST_F(DiscImageTest, DamagedImagesAndThingsThatAreNoImage)
{
    const auto ok = [](const QString&, const QString&) { return true; };
    const BadImage cases[] = {
        {"intact", ok, true, DiscFolderError::None, 2, true, true},
        {"no-bin", [](const QString&, const QString& bin) { return QFile::remove(bin); }, false,
         DiscFolderError::NotReady, 0, false, false},
        {"truncated", patchBin([](QByteArray& d) { d.truncate(d.size() / 2); return true; }), true,
         DiscFolderError::None, 2, true, false},
        {"scrambled-folder", patchBin([](QByteArray& d) {
             const qsizetype sector = d.indexOf("AVSEQ01.DAT;1") / 2352 * 2352 + 24;
             for (qsizetype i = 0; i < 2048; ++i)
                 d[sector + i] = char((i * 37 + 11) & 0xff);
             return sector > 24;
         }), true, DiscFolderError::None, 0, false, false},
        {"huge-folder", patchBin([](QByteArray& d) {
             const qsizetype record = recordOf(d, "MPEGAV");
             for (int i = 0; i < 4; ++i)  // the size, both byte orders: 2 GB
                 d[record + 10 + i] = d[record + 17 - i] = char(0x7ffff800u >> (8 * i));
             return record > 0;
         }), true, DiscFolderError::NotFound, 0, false, false},
        {"no-volume", patchBin([](QByteArray& d) {
             d.replace(16 * 2352 + 24, 6, QByteArray(6, '\0'));
             return true;
         }), false, DiscFolderError::NotReady, 0, false, false},
        {"text", [](const QString& cue, const QString&) { return writeAll(cue, "FILE\nno cue\n"); },
         false, DiscFolderError::NotReady, 0, false, false},
        {"fifo", [](const QString& cue, const QString&) {
             return QFile::remove(cue) && ::mkfifo(QFile::encodeName(cue).constData(), 0600) == 0;
         }, false, DiscFolderError::NotReady, 0, false, false},
        {"dev-null", [](const QString& cue, const QString&) {
             return QFile::remove(cue) && QFile::link(QStringLiteral("/dev/null"), cue);
         }, false, DiscFolderError::NotReady, 0, false, false},
    };
    for (const BadImage& c : cases) {
        SCOPED_TRACE(c.name);
        const QString cue = disc->author(QString::fromLatin1(c.name));
        ASSERT_TRUE(c.damage(cue, cue.chopped(4) + ".bin"));
        LinuxDriveTable table = imagesOnly({cue});
        const QList<OpticalDrive> drives = table.drives();
        ASSERT_EQ(drives.size(), 1);
        EXPECT_EQ(drives[0].ready, c.ready);
        EXPECT_EQ(drives[0].hasMpegav, c.mpegav == DiscFolderError::None);
        const DiscFolder mpegav =
            table.listFolder(cue + "/MPEGAV/").value_or(DiscFolder{DiscFolderError::NotReady, {}});
        EXPECT_EQ(mpegav.error, c.mpegav);
        EXPECT_EQ(mpegav.files.size(), c.files);
        MpvEngine first, second;
        EXPECT_EQ(open(first, cue + "/MPEGAV/AVSEQ01.DAT") == MediaError::None, c.firstTrackPlays);
        EXPECT_EQ(open(second, cue + "/MPEGAV/AVSEQ02.DAT") == MediaError::None,
                  c.secondTrackPlays);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("REELBOX_AO", "null");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    delete disc;
    return rc;
}
