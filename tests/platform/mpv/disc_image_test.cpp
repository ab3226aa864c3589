// Video-CD tracks read from a real disc image through the media engine, and images that are
// damaged or no image at all. Runs with vo=null and ao=null.
// Checks: disc.cpp, cue_image.cpp, iso9660_directory.cpp, disc_path.cpp, linux_drive_table.cpp,
// form2_track_reader.cpp (src/platform/cdio); mpv_engine.cpp, disc_track_stream.cpp
// (src/platform/mpv).
#include "platform/cdio/disc.h"
#include "platform/cdio/linux_drive_table.h"
#include "platform/mpv/mpv_engine.h"

#include "test_disc.h"
#include "wait.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cdio/cdio.h>
#include <QTemporaryDir>
#include <mpv/client.h>

#include <gmock/gmock.h>
#include <sys/stat.h>

namespace {

TestDisc& disc()
{
    static TestDisc made;  // one image for the whole run
    return made;
}

// The picture on screen as mpv hands it out: the same frame decoded gives the same bytes.
QByteArray picture(MpvEngine& engine)
{
    const char* cmd[] = {"screenshot-raw", "video", nullptr};
    mpv_node result;
    if (mpv_command_ret(engine.handle(), cmd, &result) < 0)
        return {};
    QByteArray data;
    for (int i = 0; result.format == MPV_FORMAT_NODE_MAP && i < result.u.list->num; ++i) {
        const mpv_node& v = result.u.list->values[i];
        if (std::strcmp(result.u.list->keys[i], "data") == 0 && v.format == MPV_FORMAT_BYTE_ARRAY)
            data = QByteArray(static_cast<const char*>(v.u.ba->data), qsizetype(v.u.ba->size));
    }
    mpv_free_node_contents(&result);
    return data;
}

MediaError open(MpvEngine& engine, const QString& path)
{
    return engine.open(path, MediaEngine::TypeHint::MpegVideo, 0);
}

QByteArray readAll(const QString& path) { return MediaClips::readFile(path); }
constexpr auto& writeAll = MediaClips::writeFile;

class DiscImageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(disc().ok()) << disc().why().toStdString(); }
};

TEST_F(DiscImageTest, EachTrackGivesTheFramesOfItsSourceClip)
{
    for (int i = 0; i < TestDisc::Tracks; ++i) {
        SCOPED_TRACE(disc().track(i).toStdString());
        MpvEngine plain, fromDisc;
        ASSERT_EQ(open(plain, disc().clip(i)), MediaError::None);
        ASSERT_EQ(open(fromDisc, disc().track(i)), MediaError::None);
        const std::int64_t frames = plain.lengthFrames();
        EXPECT_EQ(fromDisc.lengthFrames(), frames);
        // The opens answer before their first pictures, which follow.
        ASSERT_TRUE(waitUntil([&] { return !plain.pictureComing() && !fromDisc.pictureComing(); }));
        ASSERT_FALSE(picture(plain).isEmpty());
        EXPECT_TRUE(picture(fromDisc) == picture(plain)) << "first picture";
        for (const std::int64_t frame : {std::int64_t(37), frames - 1, std::int64_t(1)}) {
            ASSERT_EQ(plain.seekFrame(frame), MediaError::None);
            ASSERT_EQ(fromDisc.seekFrame(frame), MediaError::None);
            EXPECT_EQ(fromDisc.positionFrames(), frame);
            // The seeks answer at once; their pictures follow.
            ASSERT_TRUE(waitUntil([&] { return !plain.pictureComing() && !fromDisc.pictureComing(); }));
            EXPECT_TRUE(picture(fromDisc) == picture(plain)) << "after a seek to " << frame;
        }
    }
}

// Why tracks are read raw: the same sectors read as a mounted disc gives them, 2048-byte Form 1
// blocks, lose 276 bytes of every 2324, and the movie with them.
TEST_F(DiscImageTest, TheSameSectorsReadAsForm1AreNotTheMovie)
{
    const std::unique_ptr<Disc> image = Disc::open(disc().cue());
    ASSERT_TRUE(image);
    const auto extent = image->fileExtent(QStringLiteral("MPEGAV/AVSEQ01.DAT"));
    ASSERT_TRUE(extent);
    CdIo_t* cdio = cdio_open(QFile::encodeName(disc().cue()).constData(), DRIVER_UNKNOWN);
    ASSERT_TRUE(cdio);
    QByteArray form1(qsizetype(extent->sectors) * 2048, '\0');
    const driver_return_code_t read = cdio_read_mode2_sectors(
        cdio, form1.data(), extent->lsn, false, std::uint32_t(extent->sectors));
    cdio_destroy(cdio);
    ASSERT_EQ(read, DRIVER_OP_SUCCESS);
    const QString mounted = disc().dir() + QStringLiteral("/form1.dat");
    ASSERT_TRUE(writeAll(mounted, form1));

    MpvEngine plain, fromMount;
    ASSERT_EQ(open(plain, disc().clip(0)), MediaError::None);
    const bool sameMovie = open(fromMount, mounted) == MediaError::None &&
                           fromMount.lengthFrames() == plain.lengthFrames() &&
                           picture(fromMount) == picture(plain);
    EXPECT_FALSE(sameMovie);
}

// The disc taken out while a track plays: the track ends (the reader gives up after a bounded
// number of failed sectors) and the engine answers as at any end; opening it again fails.
TEST_F(DiscImageTest, ADiscTakenOutWhilePlayingEndsTheTrack)
{
    const QString cue = disc().author(QStringLiteral("pulled"));
    MpvEngine engine;
    ASSERT_EQ(open(engine, cue + "/MPEGAV/AVSEQ01.DAT"), MediaError::None);
    ASSERT_EQ(engine.play(), MediaError::None);
    ASSERT_TRUE(QFile::resize(cue.chopped(4) + ".bin", 0));
    EXPECT_TRUE(waitUntil([&] { return !engine.isPlaying(); }));
    EXPECT_EQ(engine.positionFrames(), engine.lengthFrames());
    engine.close();
    EXPECT_EQ(open(engine, cue + "/MPEGAV/AVSEQ01.DAT"), MediaError::FileNotFound);
}

// Damage done to a fresh image: its .bin has raw 2352-byte sectors, Form 1 data at 24.
using Damage = std::function<bool(const QString& cue, const QString& bin)>;

Damage patchBin(const std::function<qsizetype(QByteArray&)>& patch)  // > 0: patched
{
    return [patch](const QString&, const QString& bin) {
        QByteArray data = readAll(bin);
        return patch(data) > 0 && writeAll(bin, data);
    };
}

// Directory areas found by fuzzing (the disc directory corpus) written over sectors 16, 17, ...
Damage spliceArea(int n)
{
    return patchBin([n](QByteArray& d) {
        const QByteArray area = readAll(
            QStringLiteral(REELBOX_DISC_CORPUS "/damaged-area-%1.bin").arg(n));
        for (qsizetype at = 0; at < area.size(); at += 2048)
            d.replace((16 + at / 2048) * 2352 + 24, std::min<qsizetype>(2048, area.size() - at),
                area.mid(at, 2048));
        return area.size();
    });
}

// The .cue's FILE line made to name `to` (the .bin moved there first when `move`).
Damage fileLine(const QString& to, bool move = true)
{
    return [to, move](const QString& cue, const QString& bin) {
        QByteArray text = readAll(cue);
        const QByteArray named = '"' + QFile::encodeName(QFileInfo(bin).fileName()) + '"';
        text.replace(named, '"' + QFile::encodeName(to) + '"');
        return (!move ||
                   QFile::rename(bin, QFileInfo(QFileInfo(cue).dir(), to).absoluteFilePath())) &&
               writeAll(cue, text);
    };
}

// `path` made a named pipe, which blocks whoever reads it.
bool fifo(const QString& path)
{
    return QFile::remove(path) && ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// A drive table of the image alone (named twice, it is one drive): nothing crashes or hangs;
// what can still be read is, the rest is refused with an error.
TEST_F(DiscImageTest, DamagedImagesAndThingsThatAreNoImage)
{
    using E = DiscFolderError;
    const QStringList tracks{"AVSEQ01.DAT", "AVSEQ02.DAT"};
    const char* label = TestDisc::Label;
    const struct {
        const char* name;
        Damage damage;
        const char* label = nullptr;  // nullptr: not ready
        DiscFolderError mpegav = DiscFolderError::NotReady;
        int tracksPlaying = 0;  // the first n of the two play; MPEGAV lists both unless none does
    } cases[] = {{"intact", [](auto&, auto&) { return true; }, label, E::None, 2},
        {"no-bin", [](auto&, const QString& bin) { return QFile::remove(bin); }, nullptr,
            E::DataMissing},
        // The data file is the one the FILE line names, wherever and however it is written.
        {"file-renamed", fileLine("other name.bin"), label, E::None, 2},
        {"file-absolute", fileLine(disc().dir() + "/file-absolute.bin.moved"), label, E::None, 2},
        {"file-other-case",
            [](auto&, const QString& bin) {
                return QFile::rename(bin, QFileInfo(bin).path() + "/FILE-OTHER-CASE.BIN");
            },
            label, E::None, 2},
        {"file-missing", fileLine("gone.bin", false), nullptr, E::DataMissing},
        {"two-files",
            [](const QString& cue, auto&) {
                return writeAll(cue, readAll(cue) + "FILE \"two-files.cue\" BINARY\r\n");
            }},
        {"fifo-bin", [](auto&, const QString& bin) { return fifo(bin); }},
        {"truncated", patchBin([](QByteArray& d) {
             d.truncate(d.size() / 2);
             return d.size();
         }),
            label, E::None, 1},
        {"scrambled-folder", patchBin([](QByteArray& d) {
             const qsizetype sector = d.indexOf("AVSEQ01.DAT;1") / 2352 * 2352 + 24;
             for (qsizetype i = 0; i < 2048; ++i)
                 d[sector + i] = char((i * 37 + 11) & 0xff);
             return sector - 24;
         }),
            label, E::None},
        {"huge-folder", patchBin([](QByteArray& d) {  // MPEGAV's record says 2 GB
             qsizetype at = d.indexOf("MPEGAV");
             while (at > 33 && !(d[at - 1] == 6 && quint8(d[at - 33]) >= 33))
                 at = d.indexOf("MPEGAV", at + 1);  // the folder's record, not its path entry
             for (int i = 0; i < 4; ++i)
                 d[at - 23 + i] = d[at - 16 - i] = char(0x7ffff800u >> (8 * i));
             return at - 33;
         }),
            label, E::NotFound},
        // A disc is there, but without a file system: no Video-CD.
        {"audio",
            [](const QString& cue, const QString& bin) {
                return writeAll(bin, QByteArray(300 * 2352, '\0')) &&
                       writeAll(cue,
                           "FILE \"audio.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
            },
            nullptr, E::NotFound},
        {"damaged-area-1", spliceArea(1), "VIDEOCD", E::NotFound},
        {"damaged-area-2", spliceArea(2), "VIDEOCD", E::NotFound},
        {"damaged-area-3", spliceArea(3), "VIDEOCD", E::NotFound},
        {"damaged-area-4", spliceArea(4), "VIDEOCD", E::NotFound},
        {"text", [](const QString& cue, auto&) { return writeAll(cue, "FILE\nno cue\n"); }},
        {"fifo", [](const QString& cue, auto&) { return fifo(cue); }},
        {"dev-null", [](const QString& cue, auto&) {
             return QFile::remove(cue) && QFile::link(QStringLiteral("/dev/null"), cue);
         }}};
    QTemporaryDir noDrives;
    const LinuxDriveTable::Places places{
        noDrives.filePath("x"), noDrives.filePath("x"), noDrives.path(), noDrives.filePath("x")};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString cue = disc().author(QString::fromLatin1(c.name));
        ASSERT_TRUE(c.damage(cue, cue.chopped(4) + ".bin"));
        LinuxDriveTable table(places, {cue, disc().dir() + "/./" + c.name + ".cue"});
        const QList<OpticalDrive> drives = table.drives();
        ASSERT_EQ(drives.size(), 1);
        const OpticalDrive& d = drives[0];
        const DiscFolder mpegav =
            table.listFolder(cue + "/MPEGAV/").value_or(DiscFolder{DiscFolderError::NotReady, {}});
        // The last: an ordinary folder is no disc's.
        EXPECT_THAT(std::tuple(d.root(), d.ready, d.volumeLabel, d.hasMpegav, mpegav.error,
                        mpegav.files, table.listFolder(disc().dir() + '/').has_value()),
            testing::FieldsAre(cue + '/', c.label != nullptr, QString::fromLatin1(c.label),
                c.mpegav == E::None, c.mpegav, c.tracksPlaying ? tracks : QStringList(), false));
        MpvEngine first, second;
        EXPECT_EQ(std::tuple(open(first, cue + "/MPEGAV/AVSEQ01.DAT") == MediaError::None,
                      open(second, cue + "/mpegav/avseq02.dat") == MediaError::None),
            std::tuple(c.tracksPlaying > 0, c.tracksPlaying > 1));
    }
}

}  // namespace
