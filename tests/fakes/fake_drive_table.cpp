#include "fake_drive_table.h"

FakeDriveTable::Disc FakeDriveTable::videoCd(const QString& label, int tracks)
{
    QStringList files;
    for (int i = 1; i <= tracks; ++i)
        files << QStringLiteral("AVSEQ%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
    return Disc{label, {{QStringLiteral("MPEGAV"), files}, {QStringLiteral("VCD"), {"INFO.VCD"}}}};
}

QList<OpticalDrive> FakeDriveTable::drives()
{
    ++searches;
    QList<OpticalDrive> result;
    for (const Drive& d : table)
        result << OpticalDrive{d.device, {}, d.disc.has_value(), d.disc ? d.disc->label : QString(),
                               d.disc && d.disc->folders.contains(QStringLiteral("MPEGAV"))};
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
        if (!path.startsWith(d.device + QLatin1Char('/')))
            continue;
        const QString folder = path.mid(d.device.size() + 1).chopped(path.endsWith('/') ? 1 : 0);
        if (!d.disc)
            return DiscFolder{DiscFolderError::NotReady, {}};
        if (!d.disc->folders.contains(folder))
            return DiscFolder{DiscFolderError::NotFound, {}};
        return DiscFolder{DiscFolderError::None, d.disc->folders.value(folder)};
    }
    return std::nullopt;
}
