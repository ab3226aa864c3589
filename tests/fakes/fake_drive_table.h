#pragma once

#include "platform/drive_table.h"

#include <QMap>
#include <QThread>

// Drives whose discs a test puts in and takes out. A disc is its volume label and its folders
// ("MPEGAV" -> file names); a drive without a disc is not ready.
class FakeDriveTable : public DriveTable {
public:
    struct Disc {
        QString label;
        QMap<QString, QStringList> folders;
    };
    struct Drive {
        QString device;
        std::optional<Disc> disc;
        DiscFolderError problem = DiscFolderError::NotReady;  // without a disc: why
        QString missingFile = {};
    };

    QList<Drive> table;
    QStringList imagesAdded;
    int searches = 0;  // calls of drives()
    int answerAfterMs = 0;  // a slow drive: drives() answers this long after it is asked

    // A Video-CD with `tracks` files in MPEGAV ("AVSEQ01.DAT", ...).
    static Disc videoCd(const QString& label, int tracks = 2)
    {
        QStringList files;
        for (int i = 1; i <= tracks; ++i)
            files << QStringLiteral("AVSEQ%1.DAT").arg(i, 2, 10, QLatin1Char('0'));
        return Disc{
            label, {{QStringLiteral("MPEGAV"), files}, {QStringLiteral("VCD"), {"INFO.VCD"}}}};
    }

    QList<OpticalDrive> drives() override
    {
        ++searches;
        QThread::msleep(answerAfterMs);
        QList<OpticalDrive> result;
        for (const Drive& d : table)
            result << OpticalDrive{d.device, {}, d.disc.has_value(),
                d.disc ? d.disc->label : QString(),
                d.disc && d.disc->folders.contains(QStringLiteral("MPEGAV")),
                d.disc ? DiscFolderError::None : d.problem, d.missingFile};
        return result;
    }
    OpticalDrive addImage(const QString& imagePath) override
    {
        imagesAdded << imagePath;
        for (const OpticalDrive& d : drives())
            if (d.device == imagePath)
                return d;
        return OpticalDrive{imagePath, {}, false, {}, false};
    }
    // An image is taken off the table (drives are not).
    bool removeImage(const QString& device) override
    {
        return imagesAdded.contains(device) &&
               table.removeIf([&](const Drive& d) { return d.device == device; }) > 0;
    }
    std::optional<DiscFolder> listFolder(const QString& path) override
    {
        for (const Drive& d : table) {
            if (!path.startsWith(d.device + QLatin1Char('/')))
                continue;
            const QString folder =
                path.mid(d.device.size() + 1).chopped(path.endsWith('/') ? 1 : 0);
            if (!d.disc)
                return DiscFolder{d.problem, {}, d.missingFile};
            if (!d.disc->folders.contains(folder))
                return DiscFolder{DiscFolderError::NotFound, {}};
            return DiscFolder{DiscFolderError::None, d.disc->folders.value(folder)};
        }
        return std::nullopt;
    }
};
