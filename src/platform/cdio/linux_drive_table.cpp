#include "platform/cdio/linux_drive_table.h"

#include "platform/cdio/disc.h"
#include "platform/cdio/disc_path.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

QString canonical(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

QByteArray readSmallFile(const QString& path)
{
    QFile file(path);
    // Kernel files report size 0: read what is there, up to a sane bound.
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(1 << 20);
}

// The mount table writes blanks and backslashes in names as octal escapes ("\040").
QString unescapeMountField(const QByteArray& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

}  // namespace

LinuxDriveTable::LinuxDriveTable()
    : LinuxDriveTable(Places{},
          qEnvironmentVariable("REELBOX_DISC_IMAGES").split(QLatin1Char(':'), Qt::SkipEmptyParts))
{
}

LinuxDriveTable::LinuxDriveTable(Places places, QStringList images) : places_(std::move(places))
{
    for (const QString& image : images)
        addImage(image);
}

QStringList LinuxDriveTable::kernelDriveNames() const
{
    QStringList names;
    const QByteArray info = readSmallFile(places_.cdromInfo);
    for (const QByteArray& line : info.split('\n')) {
        if (!line.startsWith("drive name:"))
            continue;
        for (const QByteArray& name : line.mid(11).simplified().split(' '))
            if (!name.isEmpty())
                names << QString::fromLatin1(name);
    }
    if (names.isEmpty())
        names = QDir(places_.sysBlock)
                    .entryList({QStringLiteral("sr*")}, QDir::AllEntries | QDir::NoDotAndDotDot);
    // The kernel lists the newest drive first; sr2 comes before sr10.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

QList<OpticalDrive> LinuxDriveTable::drives()
{
    QStringList devices;
    for (const QString& name : kernelDriveNames())
        devices << places_.dev + QLatin1Char('/') + name;
    {
        const QMutexLocker lock(&imagesLock_);
        devices += images_;
    }

    QList<OpticalDrive> result;
    QStringList seen;
    for (const QString& device : devices) {
        const QString real = canonical(device);
        if (seen.contains(real))
            continue;
        seen << real;
        result << probe(device);
    }
    return result;
}

OpticalDrive LinuxDriveTable::addImage(const QString& imagePath)
{
    const QString path = QDir::cleanPath(QFileInfo(imagePath).absoluteFilePath());
    {
        const QMutexLocker lock(&imagesLock_);
        if (!images_.contains(path))
            images_ << path;
    }
    return probe(path);
}

bool LinuxDriveTable::removeImage(const QString& device)
{
    const QMutexLocker lock(&imagesLock_);
    return images_.removeAll(QDir::cleanPath(QFileInfo(device).absoluteFilePath())) > 0;
}

std::optional<DiscFolder> LinuxDriveTable::listFolder(const QString& path)
{
    const std::optional<DiscPath> where = splitDiscPath(path);
    if (!where)
        return std::nullopt;
    DiscFolder why;
    const std::unique_ptr<Disc> disc = Disc::open(where->source, &why);
    return disc ? disc->listFolder(where->inner) : why;
}

OpticalDrive LinuxDriveTable::probe(const QString& device) const
{
    OpticalDrive drive;
    drive.device = device;
    drive.mountPoint = mountPointOf(device);
    DiscFolder why;
    const std::unique_ptr<Disc> disc = Disc::open(device, &why);
    const std::optional<QString> label = disc ? disc->volumeId() : std::nullopt;
    if (!label) {
        drive.problem = disc ? disc->listFolder(QString()).error : why.error;
        drive.missingFile = why.missingFile;
        return drive;
    }
    drive.ready = true;
    drive.volumeLabel = *label;
    drive.hasMpegav = disc->listFolder(QStringLiteral("MPEGAV")).error == DiscFolderError::None;
    return drive;
}

QString LinuxDriveTable::mountPointOf(const QString& device) const
{
    const QString real = canonical(device);
    for (const QByteArray& line : readSmallFile(places_.mounts).split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 2 && fields[0].startsWith('/') &&
            canonical(unescapeMountField(fields[0])) == real)
            return unescapeMountField(fields[1]);
    }
    return {};
}
