#include "fake_drive_table.h"

FakeDriveTable::Disc FakeDriveTable::videoCd(const QString& label, int tracks)
{
    QStringList files;
    for (int i = 1; i <= tracks; ++i)
        files << QStringLiteral("AVSEQ%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
    return Disc{label, {{QStringLiteral("MPEGAV"), files}, {QStringLiteral("VCD"), {"INFO.VCD"}}}};
}

FakeDriveTable::Disc FakeDriveTable::dataDisc(const QString& label)
{
    return Disc{label, {{QStringLiteral("DOCS"), {"README.TXT"}}}};
}

QList<OpticalDrive> FakeDriveTable::drives()
{
    ++searches;
    QList<OpticalDrive> result;
    for (const Drive& d : table) {
        OpticalDrive drive;
        drive.device = d.device;
        drive.ready = d.disc.has_value();
        if (d.disc) {
            drive.volumeLabel = d.disc->label;
            drive.hasMpegav = d.disc->folders.contains(QStringLiteral("MPEGAV"));
        }
        result << drive;
    }
    return result;
}

OpticalDrive FakeDriveTable::addImage(const QString& imagePath)
{
    imagesAdded << imagePath;
    for (const OpticalDrive& d : drives())
        if (d.device == imagePath)
            return d;
    return OpticalDrive{imagePath, {}, false, {}, false};
}

std::optional<DiscFolder> FakeDriveTable::listFolder(const QString& path)
{
    for (const Drive& d : table) {
        const QString root = d.device + QLatin1Char('/');
        if (!path.startsWith(root))
            continue;
        if (!d.disc)
            return DiscFolder{DiscFolderError::NotReady, {}};
        QString folder = path.mid(root.size());
        if (folder.endsWith(QLatin1Char('/')))
            folder.chop(1);
        const auto it = d.disc->folders.constFind(folder);
        if (it == d.disc->folders.constEnd())
            return DiscFolder{DiscFolderError::NotFound, {}};
        return DiscFolder{DiscFolderError::None, *it};
    }
    return std::nullopt;
}
