// Checks: list_reader.cpp (src/playlist); settings_file.cpp, text_file.cpp (src/settings);
// mci_interpreter.cpp (src/mci); iso9660_directory.cpp, cue_image.cpp (src/platform/cdio).
#include "fuzz_targets.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(FuzzCorpus, EveryFileRunsThroughItsTarget)
{
    for (const fuzz_targets::Target& target : fuzz_targets::all()) {
        const QDir folder(QStringLiteral(REELBOX_CORPUS "/") + QLatin1String(target.name));
        const QStringList files = folder.entryList(QDir::Files);
        EXPECT_FALSE(files.isEmpty()) << target.name;
        for (const QString& name : files) {
            SCOPED_TRACE(folder.filePath(name).toStdString());
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            target.run(file.readAll());
        }
    }
}
