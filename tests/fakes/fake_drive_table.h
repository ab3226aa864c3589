#pragma once

#include "platform/drive_table.h"

#include <QMap>

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
    };

    QList<Drive> table;
    QStringList imagesAdded;
    int searches = 0;  // calls of drives()

    // A Video-CD with `tracks` files in MPEGAV ("AVSEQ01.DAT", ...).
    static Disc videoCd(const QString& label, int tracks = 2);

    QList<OpticalDrive> drives() override;
    OpticalDrive addImage(const QString& imagePath) override;
    std::optional<DiscFolder> listFolder(const QString& path) override;
};
