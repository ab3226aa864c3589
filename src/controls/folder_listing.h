#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>

// What a folder holds, as the folder and file list boxes show it. Names are text as
// fromNativeFileName() gives it, so any name the file system allows comes back to the same file.
namespace folder_listing {

struct Folder {
    int error = 0;  // errno when the folder could not be opened or read; then the lists are empty
    // The folder's identity after symbolic links are followed: one real folder, one identity.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    QStringList folders;  // subfolders, symbolic links to folders included
    QStringList files;  // regular files, symbolic links to them included
};

// Reads one folder. Names beginning with "." are hidden and left out, as file managers show
// folders by default; other kinds of entries (pipes, devices, sockets, broken links) are neither
// folders nor files. Both lists are in name order, case ignored.
Folder read(const QString& path);

// The text of `name` inside `folder`, with one "/" between them.
QString join(const QString& folder, const QString& name);

// File patterns such as "*.dat;*.mpg": "*" stands for any run of characters, "?" for one; case
// is ignored (Video-CD and Windows-made files are often upper case).
class Pattern {
public:
    explicit Pattern(const QString& text);
    bool matches(QStringView name) const;
    QStringList filter(const QStringList& names) const;

private:
    QStringList parts_;
};

}  // namespace folder_listing
