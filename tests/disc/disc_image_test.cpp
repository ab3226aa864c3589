// Video-CD tracks read from a real disc image through the media engine, the drive table over
// images, and images that are damaged or are no image at all. Runs with vo=null and ao=null.
#include "platform/cdio/disc.h"
#include "platform/cdio/linux_drive_table.h"
#include "platform/mpv/mpv_engine.h"

#include "test_disc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <mpv/client.h>

#include <gtest/gtest.h>
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

// Offsets in the .bin of the vcdimager layout: 2352-byte raw sectors, Form 1 data at 24.
constexpr qsizetype RawSector = 2352;
constexpr qsizetype DataOffset = 24;

// The directory record of `name` (a folder's record, not its path-table entry).
qsizetype recordOf(const QByteArray& bin, const QByteArray& name)
{
    for (qsizetype at = bin.indexOf(name); at > 33; at = bin.indexOf(name, at + 1))
        if (quint8(bin[at - 1]) == name.size() && quint8(bin[at - 33]) >= 33 + name.size())
            return at - 33;
    return -1;
}

using Damage = bool (*)(const QString& cue, const QString& bin);

bool keepIntact(const QString&, const QString&) { return true; }
bool dropTheBin(const QString&, const QString& bin) { return QFile::remove(bin); }
bool cutInHalf(const QString&, const QString& bin)
{
    const QByteArray data = readAll(bin);
    return writeAll(bin, data.left(data.size() / 2));
}
bool scrambleTheTrackFolder(const QString&, const QString& bin)
{
    QByteArray data = readAll(bin);
    const qsizetype record = data.indexOf("AVSEQ01.DAT;1");
    if (record < 0)
        return false;
    const qsizetype sector = record / RawSector * RawSector + DataOffset;
    for (qsizetype i = 0; i < 2048; ++i)
        data[sector + i] = char((i * 37 + 11) & 0xff);
    return writeAll(bin, data);
}
bool hugeTrackFolder(const QString&, const QString& bin)
{
    QByteArray data = readAll(bin);
    const qsizetype record = recordOf(data, "MPEGAV");
    if (record < 0)
        return false;
    const quint32 size = 0x7ffff800;
    for (int i = 0; i < 4; ++i) {
        data[record + 10 + i] = char(size >> (8 * i));      // little-endian copy
        data[record + 17 - i] = char(size >> (8 * i));      // big-endian copy
    }
    return writeAll(bin, data);
}
bool noVolumeDescriptor(const QString&, const QString& bin)
{
    QByteArray data = readAll(bin);
    data.replace(16 * RawSector + DataOffset, 6, QByteArray(6, '\0'));
    return writeAll(bin, data);
}
bool textForACue(const QString& cue, const QString&)
{
    return writeAll(cue, "This is not a cue sheet.\nFILE\n");
}
bool fifoForACue(const QString& cue, const QString&)
{
    return QFile::remove(cue) && ::mkfifo(QFile::encodeName(cue).constData(), 0600) == 0;
}
bool nullDeviceForACue(const QString& cue, const QString&)
{
    return QFile::remove(cue) && QFile::link(QStringLiteral("/dev/null"), cue);
}

struct BadImage {
    const char* name;
    Damage damage;
    bool ready;
    DiscFolderError mpegav;
    int files;
    bool firstTrackPlays;
    bool secondTrackPlays;
};

// Nothing crashes or hangs; what can still be read is, the rest is refused with an error.
TEST_F(DiscImageTest, DamagedImagesAndThingsThatAreNoImage)
{
    const BadImage cases[] = {
        {"intact", keepIntact, true, DiscFolderError::None, 2, true, true},
        {"no-bin", dropTheBin, false, DiscFolderError::NotReady, 0, false, false},
        {"truncated", cutInHalf, true, DiscFolderError::None, 2, true, false},
        {"scrambled-folder", scrambleTheTrackFolder, true, DiscFolderError::None, 0, false, false},
        {"huge-folder", hugeTrackFolder, true, DiscFolderError::NotFound, 0, false, false},
        {"no-volume", noVolumeDescriptor, false, DiscFolderError::NotReady, 0, false, false},
        {"text", textForACue, false, DiscFolderError::NotReady, 0, false, false},
        {"fifo", fifoForACue, false, DiscFolderError::NotReady, 0, false, false},
        {"dev-null", nullDeviceForACue, false, DiscFolderError::NotReady, 0, false, false},
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
