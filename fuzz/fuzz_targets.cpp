#include "fuzz_targets.h"

#include "fake_media_engine.h"
#include "mci/mci_interpreter.h"
#include "platform/cdio/disc.h"
#include "platform/cdio/iso9660_directory.h"
#include "platform/native_file_name.h"
#include "playlist/list_reader.h"
#include "settings/settings_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>

namespace fuzz_targets {

namespace {

// A list file's bytes through the field reader and the three readers on top of it.
void listFile(const QByteArray& bytes)
{
    list_reader::readFields(bytes, [](const QString& field) {
        list_reader::startupEntry(field);
        list_reader::listEntry(field);
        list_reader::trackName(field);
        return true;
    });
}

void settingsFile(const QByteArray& bytes) { settings_file::parse(bytes); }

// Command strings, one a line, to one interpreter over a scripted engine.
void mciCommands(const QByteArray& bytes)
{
    FakeMediaEngine engine;
    engine.setLength(300);
    MciInterpreter mci(engine);
    for (const QByteArray& line : bytes.split('\n')) {
        QString reply;
        const int rc = mci.sendString(QString::fromUtf8(line), reply);
        mci.errorText(rc);
    }
}

// Any bytes a file name holds come back as the same bytes.
void fileName(const QByteArray& bytes)
{
    if (toNativeFileName(fromNativeFileName(bytes)) != bytes)
        std::abort();
}

// The bytes are the disc's sectors from 16 on (the volume descriptors and directories); every
// other sector cannot be read.
void discDirectory(const QByteArray& bytes)
{
    const iso9660::ReadSector read = [&bytes](std::int32_t lsn, std::uint8_t* out) {
        const qsizetype at = qsizetype(lsn - iso9660::DescriptorSector) * iso9660::SectorSize;
        if (lsn < iso9660::DescriptorSector || at >= bytes.size())
            return false;
        const qsizetype n = std::min<qsizetype>(iso9660::SectorSize, bytes.size() - at);
        std::memset(out, 0, iso9660::SectorSize);
        std::memcpy(out, bytes.constData() + at, std::size_t(n));
        return true;
    };
    const std::optional<iso9660::Volume> volume = iso9660::readVolume(read);
    if (!volume)
        return;
    iso9660::readFolder(read, volume->root);
    if (const std::optional<iso9660::Record> mpegav = iso9660::find(read, *volume, "MPEGAV"))
        iso9660::readFolder(read, *mpegav);
    iso9660::find(read, *volume, "MPEGAV/AVSEQ01.DAT");
}

// The bytes as a .cue beside a data file of empty Mode 2 sectors, opened as a dropped disc
// image is: our reading of its FILE lines, then libcdio's of the sheet we hand it, then the
// disc's file system and a Video-CD track read through it.
void cueSheet(const QByteArray& bytes)
{
    static QTemporaryDir dir;
    static const QString cuePath = [] {
        QFile data(dir.filePath(QStringLiteral("disc.bin")));
        if (!data.open(QIODevice::WriteOnly) || !data.write(QByteArray(64 * 2352, '\0')))
            std::abort();
        return dir.filePath(QStringLiteral("disc.cue"));
    }();
    QFile cue(cuePath);
    if (!cue.open(QIODevice::WriteOnly | QIODevice::Truncate) || cue.write(bytes) != bytes.size())
        std::abort();
    cue.close();
    const std::unique_ptr<Disc> disc = Disc::open(cuePath);
    if (!disc)
        return;
    disc->volumeId();
    disc->listFolder(QStringLiteral("MPEGAV/"));
    std::vector<std::uint8_t> payload(4 * SectorReader::Form2Payload);
    disc->readForm2(0, 4, payload.data());
    disc->readForm2(60, 4, payload.data());
}

}  // namespace

const std::vector<Target>& all()
{
    static const std::vector<Target> targets{
        {"list_file", listFile},
        {"settings_file", settingsFile},
        {"mci_command", mciCommands},
        {"file_name", fileName},
        {"disc_directory", discDirectory},
        {"cue_sheet", cueSheet},
    };
    return targets;
}

const Target* byName(const char* name)
{
    for (const Target& target : all())
        if (std::strcmp(target.name, name) == 0)
            return &target;
    return nullptr;
}

}  // namespace fuzz_targets
