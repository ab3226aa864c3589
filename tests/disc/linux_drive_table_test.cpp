// How the drive table finds the system's drives and their mount points, on files laid out the
// way the kernel writes them.
#include "platform/cdio/linux_drive_table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    const char* cdromInfo;  // nullptr: no such file
    QStringList sysBlock;
    QStringList devLinks;  // "name>target" symlinks in the device folder
    const char* mounts;
    QStringList drives;       // device names, in the table's order
    QStringList mountPoints;  // of those drives
};

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

TEST(LinuxDriveTableTest, DrivesComeFromTheKernelListsOnceEachWithTheirMountPoints)
{
    const Case cases[] = {
        {"info-lists-newest-first", "CD-ROM information, Id: cdrom.c 3.20\n\ndrive name:\t\tsr1\tsr0\n"
                                    "drive speed:\t\t24\t24\n",
         {}, {}, "", {"sr0", "sr1"}, {"", ""}},
        {"sys-block-when-no-info", nullptr, {"sda", "sr10", "sr2", "sr0", "loop0"}, {}, "",
         {"sr0", "sr2", "sr10"}, {"", "", ""}},
        {"info-without-drives", "CD-ROM information\n\n", {"sr0"}, {}, "", {"sr0"}, {""}},
        {"none", nullptr, {"sda"}, {}, "", {}, {}},
        {"mounted-by-its-udev-name", "drive name:\tsr0\n", {}, {"cdrom>sr0"},
         "/dev/sda1 / ext4 rw 0 0\n@DEV@/cdrom /media/me/MY\\040DISC iso9660 ro 0 0\n", {"sr0"},
         {"/media/me/MY DISC"}},
        {"two-drives-one-mounted", "drive name:\tsr1\tsr0\n", {}, {},
         "@DEV@/sr1 /media/cdrom1 udf ro 0 0\n", {"sr0", "sr1"}, {"", "/media/cdrom1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        QDir(root.path()).mkpath("dev");
        QDir(root.path()).mkpath("block");
        LinuxDriveTable::Places places;
        places.cdromInfo = root.filePath("info");
        places.sysBlock = root.filePath("block");
        places.dev = root.filePath("dev");
        places.mounts = root.filePath("mounts");
        if (c.cdromInfo) {
            ASSERT_TRUE(writeFile(places.cdromInfo, c.cdromInfo));
        }
        for (const QString& name : c.sysBlock)
            ASSERT_TRUE(QDir(places.sysBlock).mkdir(name));
        for (const QString& name : c.drives)  // plain files: drives without a disc
            ASSERT_TRUE(writeFile(places.dev + '/' + name, ""));
        for (const QString& link : c.devLinks)
            ASSERT_TRUE(QFile::link(link.section('>', 1), places.dev + '/' + link.section('>', 0, 0)));
        ASSERT_TRUE(writeFile(places.mounts, QByteArray(c.mounts).replace("@DEV@", places.dev.toUtf8())));

        LinuxDriveTable table(places, {});
        QStringList devices, mountPoints;
        for (const OpticalDrive& d : table.drives()) {
            devices << d.device.section('/', -1);
            mountPoints << d.mountPoint;
            EXPECT_FALSE(d.ready);
            EXPECT_TRUE(d.root().endsWith('/'));
        }
        EXPECT_EQ(devices, c.drives);
        EXPECT_EQ(mountPoints, c.mountPoints);
    }
}

}  // namespace
